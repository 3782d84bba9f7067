#include "first_plan.h"

#include <lemon/network_simplex.h>
#include <lemon/smart_graph.h>

#include <algorithm>

namespace capplan {

RoutedPlan::RoutedPlan(const SpanNetwork& net, const std::vector<int>& cuts) : net_(net), cuts_(cuts) {
  // The largest cuts first: the smaller ones then mostly fit in their spare.
  std::stable_sort(cuts_.begin(), cuts_.end(),
                   [&](int a, int b) { return net.spans[a].working > net.spans[b].working; });
  use_.assign(cuts_.size(), std::vector<long long>(net.spans.size(), 0));
  for (std::size_t i = 0; i < cuts_.size() && routed_; ++i) routed_ = route(i, spare());
}

std::vector<long long> RoutedPlan::spare() const {
  std::vector<long long> spare;
  for (const PlanSpan& s : net_.spans) spare.push_back(s.spare);
  for (const std::vector<long long>& use : use_)
    for (std::size_t k = 0; k < spare.size(); ++k) spare[k] = std::max(spare[k], use[k]);
  return spare;
}

void RoutedPlan::improve(const std::function<bool()>& stop) {
  if (!routed_) return;
  for (bool changed = true; changed;) {
    changed = false;
    for (std::size_t i = 0; i < cuts_.size(); ++i) {
      if (stop && stop()) return;
      // The spare the other cuts need is free for this one.
      const std::vector<long long> before = use_[i];
      std::fill(use_[i].begin(), use_[i].end(), 0);
      if (!route(i, spare())) {
        use_[i] = before;
        return;
      }
      changed = changed || use_[i] != before;
    }
  }
}

bool RoutedPlan::route(std::size_t i, const std::vector<long long>& free) {
  using Graph = lemon::SmartDigraph;
  const int f = cuts_[i];
  const long long w = net_.spans[f].working;
  Graph g;
  std::vector<Graph::Node> nodes;
  for (int n = 0; n < net_.n_node; ++n) nodes.push_back(g.addNode());
  Graph::ArcMap<long long> capacity(g), cost(g);
  // Per span other than f, per direction: a free arc over `free` and a
  // dear one beside it (arcs 4k .. 4k + 3).
  std::vector<Graph::Arc> arcs;
  for (std::size_t k = 0; k < net_.spans.size(); ++k) {
    const PlanSpan& s = net_.spans[k];
    for (auto [a, b] : {std::pair{s.from, s.to}, std::pair{s.to, s.from}}) {
      const Graph::Arc cheap = g.addArc(nodes[a - 1], nodes[b - 1]), dear = g.addArc(nodes[a - 1], nodes[b - 1]);
      const bool cut = static_cast<int>(k) == f;
      capacity[cheap] = cut ? 0 : std::min(free[k], w);
      cost[cheap] = 0;
      capacity[dear] = cut ? 0 : w;
      cost[dear] = s.cost;
      arcs.push_back(cheap);
      arcs.push_back(dear);
    }
  }
  Graph::NodeMap<long long> supply(g, 0);
  supply[nodes[net_.spans[f].from - 1]] = w;
  supply[nodes[net_.spans[f].to - 1]] = -w;
  lemon::NetworkSimplex<Graph, long long, long long> flow(g);
  flow.upperMap(capacity).costMap(cost).supplyMap(supply);
  if (flow.run() != lemon::NetworkSimplex<Graph, long long, long long>::OPTIMAL) return false;
  // Flow both ways on a span cancels out; what is left uses its spare.
  for (std::size_t k = 0; k < net_.spans.size(); ++k) {
    const long long forth = flow.flow(arcs[4 * k]) + flow.flow(arcs[4 * k + 1]);
    const long long back = flow.flow(arcs[4 * k + 2]) + flow.flow(arcs[4 * k + 3]);
    use_[i][k] = forth > back ? forth - back : back - forth;
  }
  return true;
}

std::vector<long long> routed_spare(const SpanNetwork& net, const std::vector<int>& cuts) {
  const RoutedPlan plan(net, cuts);
  return plan.routed() ? plan.spare() : std::vector<long long>{};
}

}  // namespace capplan
