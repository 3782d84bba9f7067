// linkweave's span list reader and span counting, on any bytes: a node list,
// a NUL byte and a span list (without a NUL, the bytes are the span list
// over a fixed node list).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "fuzz_input.h"
#include "network_reset.h"
#include "node_table.h"
#include "span_list.h"

// A node list with a gap at node 4, which linkweave leaves empty.
constexpr std::string_view kNodes = "nodes\n1 A 0 0\n2 B 1 0\n3 C 1 1\n5 E 2 2\n";

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [nodes, spans] = fuzz_two_files(fuzz_text(data, size), kNodes);
  static auto sn = std::make_unique<netrestore::SpanNetwork>();
  load_node_list(sn->net, nodes, netrestore::NodeListRules{false, false}, sn->M);
  sn->noOfSpans = 0;
  if (netrestore::count_spans(*sn, netrestore::parse_span_list(spans), "spans.txt")) return 0;
  netrestore::path_count(sn->net);
  netrestore::find_largest_span(sn->net);
  netrestore::find_largest_working(sn->net);
  return 0;
}
