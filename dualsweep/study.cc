#include "study.h"

#include "relax_input.h"
#include "spans.h"
#include "text_format.h"
#include "wholefile.h"

using studyfiles::EdgeRecord;
using studyfiles::RelaxArc;
using studyfiles::kCostWeightLimit;
using studyfiles::read_netdata;
using studyfiles::read_node_list;

namespace dualsweep {

std::string DualStudy::name_of(int node) const {
  if (node >= 1 && node <= static_cast<int>(nodes.nodes.size())) return nodes.nodes[static_cast<std::size_t>(node - 1)].name;
  return std::to_string(node);
}

namespace {

Error check_spans(const DualStudy& s, const std::string& file, const std::string& nodes_file, bool lengths) {
  studyfiles::SpanRules rules;
  rules.program_does = "dualsweep cuts spans";
  rules.cost_read = lengths;
  rules.cost_as = ", read as its length";
  std::vector<studyfiles::Span> spans;
  if (Error e = studyfiles::spans_of_netdata(s.net, file, s.nodes, nodes_file, rules, spans)) return e;
  __int128 weight = 0;
  for (const EdgeRecord& r : s.net.edges) weight += cost_weight(RelaxArc{r.from, r.to, r.cost, r.spare});
  if (weight > kCostWeightLimit) return Error::at(file, 1, "costs times spares add up to more than the solver can hold");
  return {};
}

}  // namespace

Error read_dual_study(const std::string& nodes_file, const std::string& netdata_file, bool lengths, DualStudy& out) {
  std::string node_text, net_text;
  if (Error e = read_file_or_reason(nodes_file, node_text)) return e;
  if (Error e = read_file_or_reason(netdata_file, net_text)) return e;
  if (Error e = read_node_list(node_text, nodes_file, out.nodes)) return e;
  if (Error e = read_netdata(net_text, netdata_file, out.net)) return e;
  return check_spans(out, netdata_file, nodes_file, lengths);
}

}  // namespace dualsweep
