#include "fields.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "textio.h"

namespace {

bool is_space(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::vector<std::string_view> lines_as_read(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    end = end == std::string_view::npos ? text.size() : end + 1;
    lines.push_back(text.substr(pos, end - pos));
    pos = end;
  }
  return lines;
}

std::string_view without_line_end(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  return line;
}

void FieldScanner::skip_space() {
  while (pos_ < text_.size() && is_space(text_[pos_])) ++pos_;
}

bool FieldScanner::at_end() {
  skip_space();
  return pos_ >= text_.size();
}

std::optional<int> FieldScanner::next_int() {
  skip_space();
  std::size_t p = pos_;
  if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) ++p;
  const std::size_t digits = p;
  while (p < text_.size() && is_digit(text_[p])) ++p;
  if (p == digits) return std::nullopt;
  std::optional<int> n = parse_int(std::string_view(text_).substr(pos_, p - pos_));
  if (n) pos_ = p;
  return n;
}

std::optional<std::string> FieldScanner::next_word() {
  skip_space();
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !is_space(text_[pos_])) ++pos_;
  if (pos_ == start) return std::nullopt;
  return text_.substr(start, pos_ - start);
}

std::optional<float> FieldScanner::next_float() {
  skip_space();
  const char* start = text_.c_str() + pos_;
  char* end = nullptr;
  const float value = std::strtof(start, &end);
  if (end == start) return std::nullopt;
  pos_ += static_cast<std::size_t>(end - start);
  return value;
}

