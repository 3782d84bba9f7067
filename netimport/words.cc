#include "words.h"

#include <cctype>
#include <cmath>

#include "scanner.h"
#include "text_format.h"

std::string shown(std::string_view text) {
  constexpr std::size_t kLongest = 40;
  std::string out;
  for (std::size_t i = 0; i < text.size() && i < kLongest; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    out += std::isprint(c) ? std::string(1, static_cast<char>(c)) : text_printf("\\x%02x", c);
  }
  if (text.size() > kLongest) out += "...";
  return out;
}

bool parse_decimal(std::string_view text, double& value) {
  if (text.empty()) return false;
  const char first = text[0];
  if (!(std::isdigit(static_cast<unsigned char>(first)) || first == '-' || first == '+' || first == '.')) return false;
  // The first character rules out white space, so that the number is read
  // from the first character; a NUL or anything else after it is refused.
  FieldScanner number(text);
  value = number.next_double().value_or(0.0);
  return number.nothing_left() && std::isfinite(value);
}
