// The network description readers of halvane (version 1) and morwick
// (version 2), on any bytes, and the walks their writers make over what
// they accept.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "netdesc.h"

namespace {

void walk(const net_read& read) {
  if (read.error || read.over_limit) return;
  const net_description& d = read.description;
  for (std::int32_t n = 1; n <= d.netsize; ++n) {
    const node_entry* node = recall_list(d.net, n);
    if (!node) __builtin_trap();  // every node of an accepted file is in the table
    totals_of(*node);
  }
  for_each_span(d, [&](const node_entry&, const std::string& far_end, const port_entry& port) {
    node_name(d, port.other_end);
    (void)far_end;
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz_text(data, size);
  walk(read_net_v1(text, "net.txt"));
  walk(read_net_v2(text, "net.txt"));
  return 0;
}
