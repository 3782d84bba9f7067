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

 private:
  void skip_space();
  void start_field();
  std::optional<long long> whole_at(std::size_t& p, int bits);

  std::string text_;  // owned, so that the number conversions see a terminated text
  std::size_t pos_ = 0;
  int line_;
  int field_line_;
  bool beyond_range_ = false;
  std::string last_word_;

 public:
  // The next word read whole as a real number, as from_chars reads one (a
  // leading + allowed): the word is consumed either way and kept in
  // last_word().
  std::optional<double> next_real_word();
};
