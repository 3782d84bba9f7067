#include "first_plan.h"

#include <lemon/network_simplex.h>
#include <lemon/smart_graph.h>

#include <algorithm>

std::vector<long long> routed_spare(const SpanNetwork& net, const std::vector<int>& cuts) {
  using Graph = lemon::SmartDigraph;
  std::vector<long long> spare;
  for (const PlanSpan& s : net.spans) spare.push_back(s.spare);
  Graph g;
  std::vector<Graph::Node> nodes;
  for (int n = 0; n < net.n_node; ++n) nodes.push_back(g.addNode());
  // Per span, per direction: a free arc over the spare planned so far, and
  // a dear one beside it (4k + 2d and 4k + 2d + 1, d the direction).
  std::vector<Graph::Arc> arcs;
  for (const PlanSpan& s : net.spans)
    for (auto [a, b] : {std::pair{s.from, s.to}, std::pair{s.to, s.from}})
      for (int copy = 0; copy < 2; ++copy) arcs.push_back(g.addArc(nodes[a - 1], nodes[b - 1]));
  Graph::ArcMap<long long> capacity(g), cost(g);
  Graph::NodeMap<long long> supply(g, 0);
  // The largest cuts first: the smaller ones then mostly fit in their spare.
  std::vector<int> order = cuts;
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return net.spans[a].working > net.spans[b].working; });
  for (int f : order) {
    const long long w = net.spans[f].working;
    for (std::size_t k = 0; k < net.spans.size(); ++k)
      for (int d = 0; d < 2; ++d) {
        const bool cut = static_cast<int>(k) == f;
        capacity[arcs[4 * k + 2 * d]] = cut ? 0 : std::min(spare[k], w);
        cost[arcs[4 * k + 2 * d]] = 0;
        capacity[arcs[4 * k + 2 * d + 1]] = cut ? 0 : w;
        cost[arcs[4 * k + 2 * d + 1]] = net.spans[k].cost;
      }
    const Graph::Node from = nodes[net.spans[f].from - 1], to = nodes[net.spans[f].to - 1];
    supply[from] = w;
    supply[to] = -w;
    lemon::NetworkSimplex<Graph, long long, long long> flow(g);
    flow.upperMap(capacity).costMap(cost).supplyMap(supply);
    const bool routed = flow.run() == lemon::NetworkSimplex<Graph, long long, long long>::OPTIMAL;
    supply[from] = 0;
    supply[to] = 0;
    if (!routed) return {};
    // Both directions of a span share its spare.
    for (std::size_t k = 0; k < net.spans.size(); ++k) {
      long long used = 0;
      for (int a = 0; a < 4; ++a) used += flow.flow(arcs[4 * k + a]);
      spare[k] = std::max(spare[k], used);
    }
  }
  return spare;
}
