// netimport's reader of SNDlib's native form on any bytes, and the study made
// of what it accepts, with its demands.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "netimport_fuzz.h"
#include "sndlib.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RawNetwork raw;
  if (!read_sndlib(fuzz_text(data, size), "net.txt", raw)) fuzz_study(raw);
  return 0;
}
