#include "cut_network.h"

studyfiles::RelaxProblem relax_network(const studyfiles::Netdata& net) {
  studyfiles::RelaxProblem p;
  p.node_count = net.n_node;
  p.arcs.reserve(net.edges.size());
  for (const studyfiles::EdgeRecord& r : net.edges) p.arcs.push_back({r.from, r.to, r.cost, r.spare});
  return p;
}
