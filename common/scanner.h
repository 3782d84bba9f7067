// The one scanner of the toolkit's readers: the fields of a text read the way
// the scanf family reads them (white space skipped before each field, a
// field ending where it stops reading as its kind), with the line each field
// starts on, so that a reader can refuse its input with "file:line: what is
// wrong". Whole numbers come in 32 bits ("%d") and 64 bits ("%lld"); a number
// whose digits lie beyond its range is told apart from text that is no
// number at all, so that the message can name the range.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text_format.h"

// The lines of a text, each with its line feed when it has one, so that a
// message can show a line exactly as read.
std::vector<std::string_view> lines_as_read(std::string_view text);

// A line without its line end: the line feed, and a carriage return before
// it (a line end written on Windows), which would otherwise cling to the
// last word of the line.
std::string_view without_line_end(std::string_view line);

// White space as the scanf family skips it in the C locale, the locale the
// programs run in: blank, tab, line feed, vertical tab, form feed, carriage
// return. Bytes beyond ASCII are never white space.
constexpr bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A decimal digit, whatever the locale.
constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }

// "a whole number of 32 bits", "a whole number of 64 bits".
std::string whole_number_of(int bits);

class FieldScanner {
 public:
  // `first_line` is the number of the line the text starts on.
  explicit FieldScanner(std::string_view text, int first_line = 1) : text_(text), line_(first_line), field_line_(first_line) {}

  std::optional<int> next_int();             // as %d, empty outside the range of int
  std::optional<long long> next_int64();     // as %lld
  std::optional<std::string> next_word();    // as %s
  std::optional<float> next_float();         // as %f
  std::optional<double> next_double();       // as %lf

  // The next word read whole as a whole number of `bits` (32 or 64): the
  // word is consumed either way and kept in last_word().
  std::optional<long long> next_whole_word(int bits);

  // After a whole number failed to read: true when its digits were there but
  // lie beyond the range asked for.
  bool beyond_range() const { return beyond_range_; }
  const std::string& last_word() const { return last_word_; }

  // The rest of the current line, left unread (its line feed included).
  void skip_line();
  // After white space, the text up to and including the next line feed.
  std::optional<std::string> next_line();

  // True when nothing but white space is left.
  bool at_end();
  // The line on which the last field read starts (before any field: the
  // first line); line_here() is the line of the next field, white space
  // skipped.
  int line() const { return field_line_; }
  int line_here();

  // The next word read whole as a real number written in plain decimals, as
  // std::from_chars reads it ("-0.5", "1e3", ".5", "inf", "nan"; no plus
  // sign, no hexadecimal, no value that overflows or vanishes to zero): the
  // word is consumed either way and kept in last_word().
  std::optional<double> next_decimal_word();
  // The same with a leading + allowed, as the node list's coordinates are
  // read.
  std::optional<double> next_real_word();
  // True when nothing at all is left, not even white space.
  bool nothing_left() const { return pos_ >= text_.size(); }
  // As next_int64, but digits beyond 64 bits are read, as strtoll reads
  // them, as the nearest end of the range (beyond_range() tells).
  std::optional<long long> next_int64_clamped();
  // The text of the last field read, as typed.
  std::string last_field() const { return text_.substr(field_start_, pos_ - field_start_); }

  // As "%i" (strtol with base 0): a decimal number, 0x and hexadecimal
  // digits, or 0 and octal digits; empty outside the range of int.
  std::optional<int> next_based_int();
  // The rest of the current line, its line feed included, read (empty at
  // the end of the text).
  std::string rest_of_line();

 private:
  void skip_space();
  void start_field();
  std::optional<long long> whole_at(std::size_t& p, int bits);
  std::optional<double> decimal_word(bool plus_allowed);

  std::string text_;  // owned, so that the number conversions see a terminated text
  std::size_t pos_ = 0;
  int line_;
  int field_line_;
  bool beyond_range_ = false;
  std::string last_word_;
  std::size_t field_start_ = 0;
};
