// netimport's CSV reader on any bytes: the nodes file, a NUL byte and the
// links file (without a NUL, the bytes are the links file of three fixed
// nodes).
#include <cstddef>
#include <cstdint>

#include "csv.h"
#include "fuzz_input.h"
#include "netimport_fuzz.h"

constexpr std::string_view kNodes = "name,latitude,longitude\nA,50,10\nB,51,11\nC,,\n";

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [nodes, links] = fuzz_two_files(fuzz_text(data, size), kNodes);
  RawNetwork raw;
  if (!read_csv(nodes, "nodes.csv", links, "links.csv", raw)) fuzz_study(raw);
  return 0;
}
