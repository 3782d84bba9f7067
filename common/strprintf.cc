#include "strprintf.h"

#include <cstdarg>
#include <cstdio>

namespace {

void append_vprintf(std::string& out, const char* format, std::va_list args) {
  std::va_list again;
  va_copy(again, args);
  char small[256];
  int n = std::vsnprintf(small, sizeof small, format, args);
  if (n < 0) {
    va_end(again);
    return;
  }
  if (static_cast<std::size_t>(n) < sizeof small) {
    out.append(small, static_cast<std::size_t>(n));
  } else {
    std::size_t old = out.size();
    out.resize(old + static_cast<std::size_t>(n) + 1);
    std::vsnprintf(out.data() + old, static_cast<std::size_t>(n) + 1, format, again);
    out.resize(old + static_cast<std::size_t>(n));
  }
  va_end(again);
}

}  // namespace

std::string strprintf(const char* format, ...) {
  std::string out;
  std::va_list args;
  va_start(args, format);
  append_vprintf(out, format, args);
  va_end(args);
  return out;
}

void append_printf(std::string& out, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  append_vprintf(out, format, args);
  va_end(args);
}
