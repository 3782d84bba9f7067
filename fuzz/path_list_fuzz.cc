// routeweave's path list reader and path counting, on any bytes: a node list,
// a NUL byte and a path list (without a NUL, the bytes are the path list
// over a fixed node list).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "fuzz_input.h"
#include "network_reset.h"
#include "node_table.h"
#include "path_list.h"

// A node list of five nodes, numbered in sequence as routeweave wants it.
constexpr std::string_view kNodes = "nodes\n1 A 0 0\n2 B 1 0\n3 C 1 1\n4 D 0 1\n5 E 2 2\n";

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [nodes, paths] = fuzz_two_files(fuzz_text(data, size), kNodes);
  static auto net = std::make_unique<netrestore::Network>();
  load_node_list(*net, nodes, netrestore::NodeListRules{true, true});
  const netrestore::PathList parsed = netrestore::parse_path_list(paths);
  for (const netrestore::PathLine& line : parsed.lines) netrestore::cut_at_last_blank(line.text);
  if (netrestore::count_paths(*net, parsed, "paths.txt")) return 0;
  netrestore::find_largest_span(*net);
  netrestore::find_largest_working(*net);
  for (int n = 0; n < netrestore::kNodeSlots; ++n) {
    for (const netrestore::SpanEntry& span : net->node[n].spans)
      netrestore::spare_channels(net->W.at(span.lower, span.higher), 1.5);
  }
  return 0;
}
