// linkweave's span list reader and span counting, on any bytes: a node list,
// a NUL byte and a span list (without a NUL, the bytes are the span list
// over a fixed node list).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "fuzz_input.h"
#include "network_reset.h"
#include "node_list.h"
#include "span_list.h"

namespace {

constexpr std::string_view kNodes = "nodes\n1 A 0 0\n2 B 1 0\n3 C 1 1\n5 E 2 2\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string_view> parts = fuzz_parts(fuzz_text(data, size));
  const std::string_view nodes = parts.size() > 1 ? parts[0] : kNodes;
  const std::string_view spans = parts.size() > 1 ? parts[1] : parts[0];
  static auto sn = std::make_unique<SpanNetwork>();
  reset_network(sn->net, sn->M);
  sn->noOfSpans = 0;
  const NodeList list = parse_node_list(nodes, "nodes.txt", NodeListRules{false, false});
  fill_node_table(sn->net, list.nodes);
  if (count_spans(*sn, parse_span_list(spans), "spans.txt")) return 0;
  path_count(sn->net);
  find_largest_span(sn->net);
  find_largest_working(sn->net);
  return 0;
}
