#include "textio.h"

#include <sys/stat.h>

#include <cctype>
#include <climits>

File open_file(const std::string& name, const char* mode) {
  return File(std::fopen(name.c_str(), mode));
}

bool read_line(std::FILE* f, std::string& line) {
  line.clear();
  int c;
  bool any = false;
  while ((c = std::getc(f)) != EOF) {
    any = true;
    if (c == '\n') return true;
    line.push_back(static_cast<char>(c));
  }
  return any;
}

bool read_line(std::string_view text, std::size_t& pos, std::string& line) {
  line.clear();
  if (pos >= text.size()) return false;
  std::size_t end = text.find('\n', pos);
  if (end == std::string_view::npos) {
    line.assign(text.substr(pos));
    pos = text.size();
  } else {
    line.assign(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return true;
}

namespace {

bool is_space(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Scans one number at pos (after white space); advances pos past it.
std::optional<int> scan_int(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && is_space(text[pos])) ++pos;
  std::size_t p = pos;
  bool negative = false;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
  if (p >= text.size() || !is_digit(text[p])) return std::nullopt;
  long long value = 0;
  for (; p < text.size() && is_digit(text[p]); ++p) {
    value = value * 10 + (text[p] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return std::nullopt;
  pos = p;
  return static_cast<int>(value);
}

}  // namespace

std::vector<int> scan_ints(std::string_view text, std::size_t max_count) {
  std::vector<int> numbers;
  std::size_t pos = 0;
  while (numbers.size() < max_count) {
    std::optional<int> n = scan_int(text, pos);
    if (!n) break;
    numbers.push_back(*n);
  }
  return numbers;
}

std::optional<int> parse_int(std::string_view word) {
  if (word.empty() || is_space(word[0])) return std::nullopt;
  std::size_t pos = 0;
  std::optional<int> n = scan_int(word, pos);
  if (!n || pos != word.size()) return std::nullopt;
  return n;
}

bool same_file(const std::string& a, const std::string& b) {
  if (a == b) return true;
  struct stat sa {}, sb {};
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
