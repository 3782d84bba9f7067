// Least-cost routes over a network's spans, a span's cost its length
// (LEMON's Dijkstra): the cheapest between two nodes that avoids some nodes
// and spans, and Yen's k least-cost simple routes. The p-cycle plan's
// cheapest cycle through a span and the joint plan's candidate routes are
// both made here.
#pragma once

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "span_network.h"

namespace capplan {

// A route: its nodes (1-based), from one end to the other.
using Route = std::vector<int>;

// The cheapest span between two nodes, for routes given by their nodes.
class SpanFinder {
 public:
  explicit SpanFinder(const SpanNetwork& net);
  // -1 when no span joins them.
  int between(int a, int b) const;
  // The spans of a route, one per step (-1 where no span joins its nodes).
  std::vector<int> spans_of(const Route& route) const;
  // The cost of the spans of a route whose every step has a span.
  long long cost_of(const Route& route) const;

 private:
  const SpanNetwork& net_;
  std::map<std::pair<int, int>, int> span_;  // by (lower node, higher node)
};

class RouteFinder {
 public:
  explicit RouteFinder(const SpanNetwork& net);
  ~RouteFinder();
  RouteFinder(const RouteFinder&) = delete;
  RouteFinder& operator=(const RouteFinder&) = delete;

  // The spans (0-based) in order of a least-cost route from `from` to `to`
  // (different nodes) that enters no node and crosses no span marked in
  // `banned_nodes` (by node number) and `banned_spans` (by span; either may
  // be empty: none banned); empty when there is none.
  std::vector<int> cheapest(int from, int to, const std::vector<char>& banned_nodes = {},
                            const std::vector<char>& banned_spans = {}) const;
  // The same, span k as long as `length[k]` (not negative) instead of its
  // cost: the backup plans' routes, priced by row prices or by the spare a
  // route would add.
  std::vector<int> cheapest(int from, int to, const std::vector<char>& banned_nodes, const std::vector<char>& banned_spans,
                            const std::vector<double>& length) const;

  // The nodes of a route that starts at `from` and takes `spans` in order.
  Route nodes_of(int from, const std::vector<int>& spans) const;

  // Up to k least-cost simple routes from `from` to `to`, the cheapest
  // first, as their nodes (Yen's algorithm); two routes over the same nodes
  // by parallel spans are one.
  std::vector<Route> shortest_routes(int from, int to, int k) const;

 private:
  struct Graph;
  template <class Length>
  std::vector<int> cheapest_by(int from, int to, const std::vector<char>& banned_nodes,
                               const std::vector<char>& banned_spans, const Length& length) const;

  const SpanNetwork& net_;
  SpanFinder spans_;
  std::unique_ptr<Graph> graph_;
};

}  // namespace capplan
