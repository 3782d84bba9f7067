#include "network.h"

#include <cstdarg>
#include <cstdio>

#include "textio.h"

std::string NodeNames::name_of(int k) const {
  if (k >= 1 && k <= count()) return slots[static_cast<std::size_t>(k)];
  return std::to_string(k);
}

void stop_with(int status, const char* message) {
  std::fputs(message, stdout);
  throw Stop{status};
}

std::optional<std::string> read_file_text(const std::string& file_name) {
  File f = open_file(file_name, "r");
  if (!f) return std::nullopt;
  std::string text;
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) text.append(buffer, n);
  if (std::ferror(f.get())) return std::nullopt;
  return text;
}

std::string strprintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int n = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
  if (n > 0) std::vsnprintf(text.data(), text.size() + 1, format, again);
  va_end(again);
  return text;
}
