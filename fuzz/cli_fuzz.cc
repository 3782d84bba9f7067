// The command-line parser on any bytes: the arguments are the parts of the
// input between NUL bytes. An empty bare text or option value stops a
// program through symbol_error, which is an answer, not a fault.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "symbols_and_tokens.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args;
  for (std::string_view part : fuzz_parts(fuzz_text(data, size))) args.emplace_back(part);
  for (bool more_symbols : {false, true}) {
    slist options;
    init_symbol(options, "FIRST_PARAM", NOT_FOUND);
    if (more_symbols) {
      init_symbol(options, "B=", "1");
      init_symbol(options, "BW", "FALSE");
      init_symbol(options, "SPAN=", "0");
    }
    std::string message;
    try {
      const cli_outcome outcome = cli(message, options, '/', args);
      if ((outcome == cli_outcome::parsed) != message.empty()) __builtin_trap();
      find_symbol_def(options, "FIRST_PARAM");
    } catch (const symbol_error&) {
    }
  }
  return 0;
}
