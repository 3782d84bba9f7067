#include "routes.h"

#include <lemon/adaptors.h>
#include <lemon/dijkstra.h>
#include <lemon/smart_graph.h>

#include <algorithm>
#include <set>

namespace capplan {

namespace {

using Base = lemon::SmartGraph;
using Open = lemon::SubGraph<const Base, Base::NodeMap<bool>, Base::EdgeMap<bool>>;

// Dijkstra's record of the arc by which it reached each node, over a vector:
// LEMON's own node map of arcs does not build as C++20.
class ArcsByNode {
 public:
  using Key = Base::Node;
  using Value = Base::Arc;
  explicit ArcsByNode(const Base& g) : g_(&g), arcs_(static_cast<std::size_t>(g.maxNodeId() + 1), lemon::INVALID) {}
  void set(Key node, Value arc) { arcs_[static_cast<std::size_t>(g_->id(node))] = arc; }
  Value operator[](Key node) const { return arcs_[static_cast<std::size_t>(g_->id(node))]; }

 private:
  const Base* g_;
  std::vector<Value> arcs_;
};

template <class Length>
using Search = typename lemon::Dijkstra<Open, Length>::template SetPredMap<ArcsByNode>::Create;

}  // namespace

SpanFinder::SpanFinder(const SpanNetwork& net) : net_(net) {
  for (int k = 0; k < static_cast<int>(net.spans.size()); ++k) {
    const PlanSpan& s = net.spans[static_cast<std::size_t>(k)];
    const auto key = std::minmax(s.from, s.to);
    const auto it = span_.find(key);
    if (it == span_.end() || net.spans[static_cast<std::size_t>(it->second)].cost > s.cost) span_[key] = k;
  }
}

int SpanFinder::between(int a, int b) const {
  const auto it = span_.find(std::minmax(a, b));
  return it == span_.end() ? -1 : it->second;
}

std::vector<int> SpanFinder::spans_of(const Route& route) const {
  std::vector<int> spans;
  for (std::size_t j = 0; j + 1 < route.size(); ++j) spans.push_back(between(route[j], route[j + 1]));
  return spans;
}

long long SpanFinder::cost_of(const Route& route) const {
  long long cost = 0;
  for (int k : spans_of(route)) cost += net_.spans[static_cast<std::size_t>(k)].cost;
  return cost;
}

struct RouteFinder::Graph {
  Base g;
  std::vector<Base::Node> nodes;  // node v is nodes[v - 1]
  std::vector<Base::Edge> edges;  // span k is edges[k]
  Base::EdgeMap<long long> length{g};
  Base::EdgeMap<int> span{g};
};

RouteFinder::RouteFinder(const SpanNetwork& net) : net_(net), spans_(net), graph_(std::make_unique<Graph>()) {
  Graph& gr = *graph_;
  for (int v = 0; v < net.n_node; ++v) gr.nodes.push_back(gr.g.addNode());
  for (std::size_t k = 0; k < net.spans.size(); ++k) {
    const PlanSpan& s = net.spans[k];
    const Base::Edge e = gr.g.addEdge(gr.nodes[s.from - 1], gr.nodes[s.to - 1]);
    gr.length[e] = s.cost;
    gr.span[e] = static_cast<int>(k);
    gr.edges.push_back(e);
  }
}

RouteFinder::~RouteFinder() = default;

template <class Length>
std::vector<int> RouteFinder::cheapest_by(int from, int to, const std::vector<char>& banned_nodes,
                                          const std::vector<char>& banned_spans, const Length& length) const {
  const Graph& gr = *graph_;
  Base::NodeMap<bool> node_open(gr.g, true);
  Base::EdgeMap<bool> edge_open(gr.g, true);
  for (std::size_t v = 1; v < banned_nodes.size() && v <= gr.nodes.size(); ++v)
    if (banned_nodes[v]) node_open[gr.nodes[v - 1]] = false;
  for (std::size_t k = 0; k < banned_spans.size() && k < gr.edges.size(); ++k)
    if (banned_spans[k]) edge_open[gr.edges[k]] = false;
  const Base::Node source = gr.nodes[from - 1], target = gr.nodes[to - 1];
  if (from == to || !node_open[source] || !node_open[target]) return {};
  const Open open(gr.g, node_open, edge_open);
  ArcsByNode reached_by(gr.g);
  Search<Length> search(open, length);
  search.predMap(reached_by);
  if (!search.run(source, target)) return {};
  std::vector<int> spans;
  for (Base::Node v = target; v != source;) {
    const Base::Arc arc = reached_by[v];
    spans.push_back(gr.span[arc]);
    v = gr.g.source(arc);
  }
  std::reverse(spans.begin(), spans.end());
  return spans;
}

std::vector<int> RouteFinder::cheapest(int from, int to, const std::vector<char>& banned_nodes,
                                       const std::vector<char>& banned_spans) const {
  return cheapest_by(from, to, banned_nodes, banned_spans, graph_->length);
}

std::vector<int> RouteFinder::cheapest(int from, int to, const std::vector<char>& banned_nodes,
                                       const std::vector<char>& banned_spans, const std::vector<double>& length) const {
  const Graph& gr = *graph_;
  Base::EdgeMap<double> by_span(gr.g, 0.0);
  for (std::size_t k = 0; k < length.size() && k < gr.edges.size(); ++k)
    by_span[gr.edges[k]] = std::max(0.0, length[k]);
  return cheapest_by(from, to, banned_nodes, banned_spans, by_span);
}

Route RouteFinder::nodes_of(int from, const std::vector<int>& spans) const {
  Route route{from};
  for (int k : spans) {
    const PlanSpan& s = net_.spans[static_cast<std::size_t>(k)];
    route.push_back(s.from == route.back() ? s.to : s.from);
  }
  return route;
}

std::vector<Route> RouteFinder::shortest_routes(int from, int to, int k) const {
  std::vector<Route> found;
  const std::vector<int> first = cheapest(from, to);
  if (first.empty()) return found;
  found.push_back(nodes_of(from, first));
  std::set<std::pair<long long, Route>> candidates;
  while (static_cast<int>(found.size()) < k) {
    const Route& last = found.back();
    for (std::size_t j = 0; j + 1 < last.size(); ++j) {
      // The spur leaves the last route at its j-th node, over no span a
      // found route with the same root takes from there, through no node
      // of the root before it.
      const Route root(last.begin(), last.begin() + static_cast<std::ptrdiff_t>(j) + 1);
      std::vector<char> banned_span(net_.spans.size(), 0);
      for (const Route& r : found)
        if (r.size() > j + 1 && std::equal(root.begin(), root.end(), r.begin()))
          banned_span[static_cast<std::size_t>(spans_.between(r[j], r[j + 1]))] = 1;
      std::vector<char> banned_node(static_cast<std::size_t>(net_.n_node) + 1, 0);
      for (std::size_t i = 0; i < j; ++i) banned_node[static_cast<std::size_t>(root[i])] = 1;
      const std::vector<int> spur = cheapest(last[j], to, banned_node, banned_span);
      if (spur.empty()) continue;
      Route whole = root;
      const Route spur_nodes = nodes_of(last[j], spur);
      whole.insert(whole.end(), spur_nodes.begin() + 1, spur_nodes.end());
      // A spur over a parallel span repeats a found route's nodes.
      if (std::find(found.begin(), found.end(), whole) == found.end()) candidates.insert({spans_.cost_of(whole), whole});
    }
    if (candidates.empty()) break;
    found.push_back(candidates.begin()->second);
    candidates.erase(candidates.begin());
  }
  return found;
}

}  // namespace capplan
