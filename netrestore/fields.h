// Splitting a list file into lines as they were read, and reading the fields
// of a line the way "%d %s %f" reads them: white space skipped before each
// field, a field ending where it stops reading as its kind.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text_format.h"

// The lines of a text, each with its line feed when it has one, so that a
// message can show a line exactly as read.
std::vector<std::string_view> lines_as_read(std::string_view text);

// A line without its line feed.
std::string_view without_line_end(std::string_view line);

class FieldScanner {
 public:
  explicit FieldScanner(std::string_view text) : text_(text) {}
  std::optional<int> next_int();           // as %d, empty outside the range of int
  std::optional<std::string> next_word();  // as %s
  std::optional<float> next_float();       // as %f
  // True when nothing but white space is left.
  bool at_end();

 private:
  void skip_space();
  std::string text_;  // owned, so that the number conversions see a terminated text
  std::size_t pos_ = 0;
};

