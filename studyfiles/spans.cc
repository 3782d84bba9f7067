#include "spans.h"

#include "text_format.h"

namespace studyfiles {

Error spans_of_netdata(const Netdata& net, const std::string& file, const NodeList& nodes,
                       const std::string& nodes_file, const SpanRules& rules, std::vector<Span>& out) {
  out.clear();
  if (!net.bidirectional)
    return Error::at(file, 1, "not a bidirectional netdata file: " + rules.program_does + ", records in pairs");
  if (net.n_node > nodes.count())
    return Error::at(file, 2,
                     text_printf("%d nodes, but the node list %s has %d", net.n_node, nodes_file.c_str(), nodes.count()));
  if (net.edges.size() % 2 != 0)
    return Error::at(file, net.edges.back().line,
                     text_printf("%zu records: a bidirectional file holds two per span", net.edges.size()));
  for (std::size_t i = 0; i < net.edges.size(); ++i) {
    const EdgeRecord& r = net.edges[i];
    const int n = static_cast<int>(i) + 1;
    if (rules.spare_read && r.spare < 0) return Error::at(file, r.line, text_printf("record %d has a negative spare, %d", n, r.spare));
    if (r.capacity < 0)
      return Error::at(file, r.line, text_printf("record %d has a negative working capacity, %d", n, r.capacity));
    if (rules.cost_read && r.cost < 0)
      return Error::at(file, r.line, text_printf("record %d has a negative cost, %d%s", n, r.cost, rules.cost_as.c_str()));
    if (i % 2 == 0) {
      if (r.from == r.to) return Error::at(file, r.line, text_printf("record %d joins node %d to itself", n, r.from));
      continue;
    }
    const EdgeRecord& a = net.edges[i - 1];
    if (r.from != a.to || r.to != a.from)
      return Error::at(file, r.line,
                       text_printf("record %d runs %d-%d, not back along record %d (%d-%d)", n, r.from, r.to, n - 1,
                                   a.from, a.to));
    auto differ = [&](const char* what, int x, int y) {
      return Error::at(file, r.line,
                       text_printf("record %d has %s %d, record %d %d: the two directions of a span must agree", n, what,
                                   y, n - 1, x));
    };
    if (r.capacity != a.capacity) return differ("working capacity", a.capacity, r.capacity);
    if (rules.cost_read && r.cost != a.cost) return differ("cost", a.cost, r.cost);
    if (rules.spare_read && r.spare != a.spare) return differ("spare", a.spare, r.spare);
    out.push_back({a.from, a.to, rules.cost_read ? a.cost : 0, rules.spare_read ? a.spare : 0, a.capacity, a.line});
  }
  return {};
}

}  // namespace studyfiles
