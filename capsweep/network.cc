#include "network.h"

#include <cstdio>

#include "textio.h"

std::string NodeNames::name_of(int k) const {
  if (k >= 1 && k <= count()) return slots[static_cast<std::size_t>(k)];
  return std::to_string(k);
}

void stop_with(int status, const char* message) { stop_at(stdout, status, message); }

void stop_at(std::FILE* out, int status, const char* message) {
  std::fputs(message, out);
  throw Stop{status};
}
