#include "study.h"


#include "relax_input.h"
#include "text_format.h"
#include "wholefile.h"

using studyfiles::EdgeRecord;
using studyfiles::Netdata;
using studyfiles::RelaxArc;
using studyfiles::kCostWeightLimit;
using studyfiles::read_netdata;
using studyfiles::read_node_list;

std::string DualStudy::name_of(int node) const {
  if (node >= 1 && node <= static_cast<int>(nodes.nodes.size())) return nodes.nodes[static_cast<std::size_t>(node - 1)].name;
  return std::to_string(node);
}

namespace {

Error check_spans(const DualStudy& s, const std::string& file, const std::string& nodes_file, bool lengths) {
  const Netdata& net = s.net;
  if (!net.bidirectional)
    return Error::at(file, 1, "not a bidirectional netdata file: dualsweep cuts spans, records in pairs");
  const int listed = static_cast<int>(s.nodes.nodes.size());
  if (net.n_node > listed)
    return Error::at(file, 2, text_printf("%d nodes, but the node list %s has %d", net.n_node, nodes_file.c_str(), listed));
  if (net.edges.size() % 2 != 0)
    return Error::at(file, net.edges.back().line,
                     text_printf("%zu records: a bidirectional file holds two per span", net.edges.size()));
  __int128 weight = 0;
  for (std::size_t i = 0; i < net.edges.size(); ++i) {
    const EdgeRecord& r = net.edges[i];
    const int n = static_cast<int>(i) + 1;
    if (r.spare < 0) return Error::at(file, r.line, text_printf("record %d has a negative spare, %d", n, r.spare));
    if (r.capacity < 0)
      return Error::at(file, r.line, text_printf("record %d has a negative working capacity, %d", n, r.capacity));
    if (lengths && r.cost < 0)
      return Error::at(file, r.line, text_printf("record %d has a negative cost, %d, read as its length", n, r.cost));
    if (i % 2 == 0 && r.from == r.to)
      return Error::at(file, r.line, text_printf("record %d joins node %d to itself", n, r.from));
    if (i % 2 == 1) {
      const EdgeRecord& a = net.edges[i - 1];
      if (r.from != a.to || r.to != a.from)
        return Error::at(file, r.line,
                         text_printf("record %d runs %d-%d, not back along record %d (%d-%d)", n, r.from, r.to, n - 1,
                                     a.from, a.to));
      auto differ = [&](const char* what, int x, int y) {
        return Error::at(file, r.line,
                         text_printf("record %d has %s %d, record %d %d: the two directions of a span must agree", n,
                                     what, y, n - 1, x));
      };
      if (r.capacity != a.capacity) return differ("working capacity", a.capacity, r.capacity);
      if (r.spare != a.spare) return differ("spare", a.spare, r.spare);
    }
    weight += cost_weight(RelaxArc{r.from, r.to, r.cost, r.spare});
  }
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
