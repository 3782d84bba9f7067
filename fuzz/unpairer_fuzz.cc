// The paired spare list reader, on any bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "unpairer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  unpair_pass(text, "spares.txt", 0);
  unpair_pass(text, "spares.txt", 3);
  return 0;
}
