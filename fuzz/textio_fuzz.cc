// The shared line and number scanners, on any bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "textio.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string line;
  std::size_t pos = 0;
  while (read_line(text, pos, line)) {
    scan_ints(line, 8);
    parse_int(line);
  }
  return 0;
}
