// The node list reader of routeweave and linkweave, on any bytes, under both
// programs' rules, and the node table filled from what it accepts.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzz_input.h"
#include "network_reset.h"
#include "node_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz_text(data, size);
  static auto net = std::make_unique<netrestore::Network>();
  using netrestore::NodeListRules;
  for (const NodeListRules rules : {NodeListRules{true, true}, NodeListRules{false, false}}) {
    const netrestore::NodeList list = netrestore::parse_node_list(text, "nodes.txt", rules);
    reset_network(*net);
    netrestore::fill_node_table(*net, list.nodes);
    // Numbered in sequence, every accepted node is found by its name.
    for (const netrestore::NodeLine& n : list.nodes) {
      if (rules.in_sequence && net->findID(n.name) == 0) __builtin_trap();
    }
  }
  return 0;
}
