// capsweep's node list reader on any bytes, and the names it hands out.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const NodeListRead read = parse_node_list(fuzz_text(data, size), "nodes.txt");
  if (read.error) {
    if (read.status == 0) __builtin_trap();  // a refusal is a failure
    return 0;
  }
  for (int k = -1; k <= read.nodes.count() + 1; ++k) read.nodes.name_of(k);
  return 0;
}
