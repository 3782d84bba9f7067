// The two yardsticks a run is measured against, computed apart from the
// simulation: the maximum flow over the spare channels, and the
// successively shortest routes.
#include <lemon/preflow.h>
#include <lemon/smart_graph.h>

#include <algorithm>
#include <climits>
#include <deque>

#include "restoresim.h"

namespace restoresim {

int spare_max_flow(const Network& net, int cut, int x, int y) {
  if (x == y) return 0;
  using Graph = lemon::SmartDigraph;
  Graph g;
  std::vector<Graph::Node> nodes;
  for (std::size_t n = 0; n < net.nodes.size(); ++n) nodes.push_back(g.addNode());
  Graph::ArcMap<long long> capacity(g);
  for (std::size_t s = 0; s < net.spans.size(); ++s) {
    const Span& span = net.spans[s];
    if (static_cast<int>(s) == cut || span.spare <= 0) continue;
    capacity[g.addArc(nodes[span.a], nodes[span.b])] = span.spare;
    capacity[g.addArc(nodes[span.b], nodes[span.a])] = span.spare;
  }
  lemon::Preflow<Graph, Graph::ArcMap<long long>> preflow(g, capacity, nodes[x], nodes[y]);
  preflow.runMinCut();
  return static_cast<int>(std::min<long long>(preflow.flowValue(), INT_MAX));
}

std::vector<Route> successive_shortest_routes(const Network& net, int cut, int x, int y, int limit) {
  std::vector<int> left(net.spans.size());
  for (std::size_t s = 0; s < net.spans.size(); ++s) left[s] = static_cast<int>(s) == cut ? 0 : net.spans[s].spare;
  std::vector<Route> routes;
  const int n = static_cast<int>(net.nodes.size());
  std::vector<int> depth(n), via(n);
  while (x != y) {
    std::fill(depth.begin(), depth.end(), -1);
    std::deque<int> queue{x};
    depth[x] = 0;
    while (!queue.empty() && depth[y] < 0) {
      const int u = queue.front();
      queue.pop_front();
      if (limit > 0 && depth[u] >= limit) continue;
      for (int s : net.nodes[u].spans) {
        const int v = net.spans[s].other(u);
        if (left[s] <= 0 || depth[v] >= 0) continue;
        depth[v] = depth[u] + 1;
        via[v] = s;
        queue.push_back(v);
      }
    }
    if (depth[y] < 0) break;
    Route route;
    route.channels = INT_MAX;
    for (int v = y; v != x; v = net.spans[via[v]].other(v)) {
      route.spans.push_back(via[v]);
      route.nodes.push_back(v);
      route.channels = std::min(route.channels, left[via[v]]);
    }
    route.nodes.push_back(x);
    std::reverse(route.nodes.begin(), route.nodes.end());
    std::reverse(route.spans.begin(), route.spans.end());
    for (int s : route.spans) left[s] -= route.channels;
    routes.push_back(std::move(route));
  }
  return routes;
}

}  // namespace restoresim
