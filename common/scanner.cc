#include "scanner.h"

#include <charconv>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

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
  if (!line.empty() && line.back() == '\n') {
    line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  }
  return line;
}

std::string whole_number_of(int bits) { return "a whole number of " + std::to_string(bits) + " bits"; }

void FieldScanner::skip_space() {
  while (pos_ < text_.size() && is_space(text_[pos_])) {
    if (text_[pos_] == '\n') ++line_;
    ++pos_;
  }
}

void FieldScanner::start_field() {
  skip_space();
  field_line_ = line_;
  field_start_ = pos_;
  beyond_range_ = false;
}

bool FieldScanner::at_end() {
  skip_space();
  return pos_ >= text_.size();
}

int FieldScanner::line_here() {
  skip_space();
  return line_;
}

// A sign and digits at p, as "%d" or "%lld" reads them; p is moved past them
// when they are a number within the range of `bits`.
std::optional<long long> FieldScanner::whole_at(std::size_t& p, int bits) {
  std::size_t q = p;
  bool negative = false;
  if (q < text_.size() && (text_[q] == '+' || text_[q] == '-')) negative = text_[q++] == '-';
  if (q >= text_.size() || !is_digit(text_[q])) return std::nullopt;
  const long long high = bits == 32 ? INT_MAX : LLONG_MAX;
  const long long low = bits == 32 ? INT_MIN : LLONG_MIN;
  // Accumulated negatively, so that the lowest value fits too.
  long long value = 0;
  bool beyond = false;
  for (; q < text_.size() && is_digit(text_[q]); ++q) {
    const int digit = text_[q] - '0';
    if (beyond || value < (low + digit) / 10) {
      beyond = true;
      continue;
    }
    value = value * 10 - digit;
  }
  if (!beyond && !negative && value < -high) beyond = true;
  if (beyond) {
    beyond_range_ = true;
    return std::nullopt;
  }
  p = q;
  return negative ? value : -value;
}

std::optional<int> FieldScanner::next_int() {
  start_field();
  std::optional<long long> n = whole_at(pos_, 32);
  if (!n) return std::nullopt;
  return static_cast<int>(*n);
}

std::optional<long long> FieldScanner::next_int64() {
  start_field();
  return whole_at(pos_, 64);
}

std::optional<std::string> FieldScanner::next_word() {
  start_field();
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !is_space(text_[pos_])) ++pos_;
  if (pos_ == start) return std::nullopt;
  return text_.substr(start, pos_ - start);
}

std::optional<long long> FieldScanner::next_whole_word(int bits) {
  std::optional<std::string> word = next_word();
  last_word_ = word.value_or("");
  if (!word) return std::nullopt;
  const std::size_t end = pos_;
  std::size_t p = end - word->size();
  std::optional<long long> n = whole_at(p, bits);
  if (!n || p != end) return std::nullopt;
  return n;
}

namespace {

// A real number at pos as strtof or strtod reads it; pos is moved past it.
template <typename Real>
std::optional<Real> real_at(const std::string& text, std::size_t& pos, Real (*convert)(const char*, char**)) {
  const char* start = text.c_str() + pos;
  char* end = nullptr;
  const Real value = convert(start, &end);
  if (end == start) return std::nullopt;
  pos += static_cast<std::size_t>(end - start);
  return value;
}

}  // namespace

std::optional<float> FieldScanner::next_float() {
  start_field();
  return real_at<float>(text_, pos_, std::strtof);
}

std::optional<double> FieldScanner::next_double() {
  start_field();
  return real_at<double>(text_, pos_, std::strtod);
}

void FieldScanner::skip_line() {
  const std::size_t end = text_.find('\n', pos_);
  if (end == std::string::npos) {
    pos_ = text_.size();
  } else {
    pos_ = end + 1;
    ++line_;
  }
}

std::optional<std::string> FieldScanner::next_line() {
  start_field();
  if (pos_ >= text_.size()) return std::nullopt;
  std::size_t end = text_.find('\n', pos_);
  end = end == std::string::npos ? text_.size() : end + 1;
  std::string l = text_.substr(pos_, end - pos_);
  pos_ = end;
  if (!l.empty() && l.back() == '\n') ++line_;
  return l;
}

std::optional<double> FieldScanner::decimal_word(bool plus_allowed) {
  std::optional<std::string> word = next_word();
  last_word_ = word.value_or("");
  if (!word) return std::nullopt;
  const char* begin = last_word_.data();
  const char* end = begin + last_word_.size();
  if (plus_allowed && *begin == '+') ++begin;
  double value = 0.0;
  auto [stop, error] = std::from_chars(begin, end, value);
  if (error != std::errc() || stop != end || begin == end) return std::nullopt;
  return value;
}

std::optional<double> FieldScanner::next_decimal_word() { return decimal_word(false); }

std::optional<double> FieldScanner::next_real_word() { return decimal_word(true); }

std::optional<long long> FieldScanner::next_int64_clamped() {
  std::optional<long long> n = next_int64();
  if (n || !beyond_range_) return n;
  const bool negative = text_[pos_] == '-';
  if (text_[pos_] == '+' || negative) ++pos_;
  while (pos_ < text_.size() && is_digit(text_[pos_])) ++pos_;
  return negative ? LLONG_MIN : LLONG_MAX;
}

std::optional<int> FieldScanner::next_based_int() {
  start_field();
  const char* start = text_.c_str() + pos_;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(start, &end, 0);
  if (end == start || errno == ERANGE || value < INT_MIN || value > INT_MAX) return std::nullopt;
  pos_ += static_cast<std::size_t>(end - start);
  return static_cast<int>(value);
}

std::string FieldScanner::rest_of_line() {
  const std::size_t start = pos_;
  skip_line();
  return text_.substr(start, pos_ - start);
}
