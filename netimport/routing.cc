#include "routing.h"

#include <cmath>
#include <functional>
#include <map>
#include <queue>
#include <tuple>

namespace {

struct Arc {
  int to = 0;
  int span = 0;
};

std::vector<std::vector<Arc>> arcs_of(const TidyNetwork& net) {
  std::vector<std::vector<Arc>> arcs(net.nodes.size());
  for (std::size_t k = 0; k < net.spans.size(); ++k) {
    arcs[net.spans[k].a].push_back({net.spans[k].b, static_cast<int>(k)});
    arcs[net.spans[k].b].push_back({net.spans[k].a, static_cast<int>(k)});
  }
  return arcs;
}

// Component number of every node, counted from 0.
std::vector<int> components_of(const std::vector<std::vector<Arc>>& arcs, int& count) {
  std::vector<int> component(arcs.size(), -1);
  count = 0;
  for (std::size_t s = 0; s < arcs.size(); ++s) {
    if (component[s] >= 0) continue;
    std::vector<int> stack{static_cast<int>(s)};
    component[s] = count;
    while (!stack.empty()) {
      const int u = stack.back();
      stack.pop_back();
      for (const Arc& arc : arcs[u]) {
        if (component[arc.to] < 0) {
          component[arc.to] = count;
          stack.push_back(arc.to);
        }
      }
    }
    ++count;
  }
  return component;
}

std::vector<int> tree_from(const TidyNetwork& net, const std::vector<std::vector<Arc>>& arcs, int source) {
  const std::size_t n = arcs.size();
  constexpr long long kFar = -1;
  std::vector<long long> length(n, kFar);
  std::vector<int> spans(n, 0);
  std::vector<int> before(n, -1);
  std::vector<bool> done(n, false);
  using Key = std::tuple<long long, int, int>;  // length, spans, node: the least first
  std::priority_queue<Key, std::vector<Key>, std::greater<Key>> queue;
  length[source] = 0;
  queue.push({0, 0, source});
  while (!queue.empty()) {
    const int u = std::get<2>(queue.top());
    queue.pop();
    if (done[u]) continue;
    done[u] = true;
    for (const Arc& arc : arcs[u]) {
      const int v = arc.to;
      if (done[v]) continue;
      const long long l = length[u] + net.spans[arc.span].metres;
      const int h = spans[u] + 1;
      // Shorter, or as long with fewer spans, or as both from a lower node.
      const bool better = length[v] == kFar || std::tie(l, h) < std::tie(length[v], spans[v]) ||
                          (l == length[v] && h == spans[v] && u < before[v]);
      if (!better) continue;
      length[v] = l;
      spans[v] = h;
      before[v] = u;
      queue.push({l, h, v});
    }
  }
  return before;
}

long long degree_product(const std::vector<std::vector<Arc>>& arcs, int a, int b) {
  return static_cast<long long>(arcs[a].size()) * static_cast<long long>(arcs[b].size());
}

}  // namespace

const char* demand_model_name(DemandModel model) {
  switch (model) {
    case DemandModel::kUniform: return "uniform";
    case DemandModel::kGravity: return "gravity";
    case DemandModel::kFile: return "file";
  }
  return "";
}

std::vector<int> shortest_path_tree(const TidyNetwork& net, int source) { return tree_from(net, arcs_of(net), source); }

Routing route_demands(const TidyNetwork& net, DemandModel model, std::optional<long long> channels) {
  const std::vector<std::vector<Arc>> arcs = arcs_of(net);
  Routing r;
  r.working.assign(net.spans.size(), 0);
  const std::vector<int> component = components_of(arcs, r.components);
  const int n = static_cast<int>(net.nodes.size());

  // The weight of every pair that gets channels.
  std::vector<std::tuple<int, int, double>> weights;
  auto add = [&](int a, int b, double w) {
    if (component[a] != component[b]) {
      ++r.pairs_apart;
    } else if (w > 0) {
      weights.emplace_back(a, b, w);
    }
  };
  if (model == DemandModel::kFile) {
    for (const StudyDemand& d : net.demands) add(d.a, d.b, d.value);
  } else {
    for (int a = 0; a < n; ++a) {
      for (int b = a + 1; b < n; ++b)
        add(a, b, model == DemandModel::kUniform ? 1.0 : static_cast<double>(degree_product(arcs, a, b)));
    }
  }
  double total = 0;
  for (const auto& w : weights) total += std::get<2>(w);

  int tree_source = -1;
  std::vector<int> before;
  for (const auto& [a, b, w] : weights) {
    const double scaled = channels ? w * static_cast<double>(*channels) / total : w;
    RoutedPair p{a, b, std::max(1LL, std::llround(scaled)), {}};
    if (a != tree_source) {
      tree_source = a;
      before = tree_from(net, arcs, a);
    }
    for (int v = b; v != -1; v = before[v]) p.nodes.insert(p.nodes.begin(), v);
    r.channels += p.channels;
    r.pairs.push_back(std::move(p));
  }
  // The channels of each pair on every span of its path.
  std::map<std::pair<int, int>, int> span_of;
  for (std::size_t k = 0; k < net.spans.size(); ++k) span_of[{net.spans[k].a, net.spans[k].b}] = static_cast<int>(k);
  for (const RoutedPair& p : r.pairs) {
    for (std::size_t j = 0; j + 1 < p.nodes.size(); ++j) {
      const int x = std::min(p.nodes[j], p.nodes[j + 1]);
      const int y = std::max(p.nodes[j], p.nodes[j + 1]);
      r.working[span_of.at({x, y})] += p.channels;
    }
  }
  return r;
}

Routing working_as_given(const TidyNetwork& net) {
  Routing r;
  int components = 0;
  components_of(arcs_of(net), components);
  r.components = components;
  for (const StudySpan& s : net.spans) {
    const long long w = s.working.value_or(0);
    r.working.push_back(w);
    if (w > 0) r.pairs.push_back({s.a, s.b, w, {s.a, s.b}});
    r.channels += w;
  }
  return r;
}
