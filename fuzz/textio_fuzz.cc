// The shared line reader and field scanner, on any bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "scanner.h"
#include "textio.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string line;
  std::size_t pos = 0;
  while (read_line(text, pos, line)) {
    FieldScanner fields(line);
    for (int i = 0; i < 8 && fields.next_int(); ++i) {
    }
    FieldScanner whole(line);
    whole.next_whole_word(32);
    FieldScanner mixed(line);
    while (!mixed.at_end()) {
      if (!mixed.next_int64() && !mixed.next_double() && !mixed.next_word()) break;
    }
  }
  return 0;
}
