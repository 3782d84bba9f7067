// The surviving network of a scenario as restoration routes cross it, and
// the searches over it: one link per pair of nodes (parallel spans summed),
// the fewest-span route, and the least-price routes under per-link prices
// within a limit on spans. The restoration of a scenario and capplan's
// path-restorable plan both route over it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <limits>
#include <queue>
#include <utility>
#include <vector>

#include "network.h"
#include "scenario.h"

namespace pathrestore {

// The surviving network of a scenario: one link per pair of nodes that
// restoration may cross, its capacity the sum of the parallel spans'.
struct Links {
  struct Link {
    int a = 0, b = 0;
    long long capacity = 0;
  };
  std::vector<Link> links;
  std::vector<std::vector<std::pair<int, int>>> next;  // per node: (neighbour, link), neighbours ascending

  int between(int u, int v) const {
    for (const auto& [w, l] : next[static_cast<std::size_t>(u)])
      if (w == v) return l;
    return -1;
  }
};

// The links of the spans the scenario leaves, between nodes it leaves,
// with capacity above 0; with `every_surviving`, also those with none (their
// capacity 0), for a plan that may add spare anywhere.
Links links_of(const Network& net, const ScenarioProblem& p, bool every_surviving = false);

// The fewest-span route from `from` to `to` over links with something left
// (or any link, when `left` is empty), within `max_spans` (0: any); empty
// when there is none. Neighbours are taken in ascending order. `cut_short`,
// when given, tells whether the limit kept the search from nodes it could
// have reached.
std::vector<int> fewest_spans(const Links& g, int from, int to, const std::vector<long long>* left, int max_spans,
                              bool* cut_short = nullptr);

// The least-price route from `source` to every node, under per-link prices,
// within `max_spans` spans (0: any): Dijkstra without a limit, a layered
// search by spans with one.
class Pricing {
 public:
  Pricing(const Links& g, int max_spans) : g_(g), max_spans_(max_spans) {}

  void from(int source, const std::vector<double>& price) {
    const std::size_t n = g_.next.size();
    source_ = source;
    if (max_spans_ <= 0) {
      dist_.assign(n, std::numeric_limits<double>::infinity());
      before_.assign(n, 0);
      std::vector<char> done(n, 0);
      using Item = std::pair<double, int>;
      std::priority_queue<Item, std::vector<Item>, std::greater<Item>> heap;
      dist_[static_cast<std::size_t>(source)] = 0;
      heap.push({0.0, source});
      while (!heap.empty()) {
        const auto [d, v] = heap.top();
        heap.pop();
        if (done[static_cast<std::size_t>(v)]) continue;
        done[static_cast<std::size_t>(v)] = 1;
        for (const auto& [w, l] : g_.next[static_cast<std::size_t>(v)]) {
          const double nd = d + price[static_cast<std::size_t>(l)];
          if (nd < dist_[static_cast<std::size_t>(w)]) {
            dist_[static_cast<std::size_t>(w)] = nd;
            before_[static_cast<std::size_t>(w)] = v;
            heap.push({nd, w});
          }
        }
      }
      return;
    }
    // layer[h][v]: the least price of a walk of at most h spans, kept per
    // layer so that the route can be traced back.
    const std::size_t layers = static_cast<std::size_t>(max_spans_) + 1;
    layer_.assign(layers * n, std::numeric_limits<double>::infinity());
    layer_before_.assign(layers * n, 0);
    layer_[static_cast<std::size_t>(source)] = 0;
    for (std::size_t h = 1; h < layers; ++h) {
      double* now = &layer_[h * n];
      const double* was = &layer_[(h - 1) * n];
      int* before = &layer_before_[h * n];
      for (std::size_t v = 0; v < n; ++v) {
        now[v] = was[v];
        before[v] = -1;  // the same as one layer down
      }
      for (std::size_t v = 0; v < n; ++v) {
        if (was[v] == std::numeric_limits<double>::infinity()) continue;
        for (const auto& [w, l] : g_.next[v]) {
          const double nd = was[v] + price[static_cast<std::size_t>(l)];
          if (nd < now[static_cast<std::size_t>(w)]) {
            now[static_cast<std::size_t>(w)] = nd;
            before[static_cast<std::size_t>(w)] = static_cast<int>(v);
          }
        }
      }
    }
    dist_.assign(layer_.end() - static_cast<std::ptrdiff_t>(n), layer_.end());
  }

  double price_to(int to) const { return dist_[static_cast<std::size_t>(to)]; }

  // The route to `to`, its cycles cut out (they cost nothing at prices of
  // zero and only lengthen it).
  std::vector<int> route_to(int to) const {
    std::vector<int> route{to};
    if (max_spans_ <= 0) {
      while (route.back() != source_) route.push_back(before_[static_cast<std::size_t>(route.back())]);
    } else {
      // Down the layers: a node either kept its price from the layer below
      // or was reached over a link from a node of the layer below.
      const std::size_t n = g_.next.size();
      int v = to;
      for (std::size_t h = static_cast<std::size_t>(max_spans_); h > 0; --h) {
        const int b = layer_before_[h * n + static_cast<std::size_t>(v)];
        if (b < 0) continue;
        v = b;
        route.push_back(v);
      }
    }
    std::reverse(route.begin(), route.end());
    std::vector<int> simple;
    for (int v : route) {
      const auto seen = std::find(simple.begin(), simple.end(), v);
      if (seen != simple.end())
        simple.erase(seen + 1, simple.end());
      else
        simple.push_back(v);
    }
    return simple;
  }

 private:
  const Links& g_;
  int max_spans_;
  int source_ = 0;
  std::vector<double> dist_;
  std::vector<int> before_;
  std::vector<double> layer_;
  std::vector<int> layer_before_;
};


}  // namespace pathrestore
