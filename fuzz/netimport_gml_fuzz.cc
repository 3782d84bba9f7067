// netimport's GML reader on any bytes, and the study made of what it accepts.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "gml.h"
#include "netimport_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RawNetwork raw;
  if (!read_gml(fuzz_text(data, size), "net.gml", raw)) fuzz_study(raw);
  return 0;
}
