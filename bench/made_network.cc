#include "made_network.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>

namespace {

struct Link {
  int a, b;  // 0-based
  double length;
  bool kept = true;
};

// True when the kept links other than `skip` still join a and b.
bool joined_without(int n, const std::vector<Link>& links, std::size_t skip) {
  std::vector<std::vector<int>> adj(static_cast<std::size_t>(n));
  for (std::size_t i = 0; i < links.size(); ++i)
    if (links[i].kept && i != skip) {
      adj[links[i].a].push_back(links[i].b);
      adj[links[i].b].push_back(links[i].a);
    }
  std::vector<bool> seen(static_cast<std::size_t>(n), false);
  std::vector<int> stack{links[skip].a};
  seen[links[skip].a] = true;
  while (!stack.empty()) {
    const int v = stack.back();
    stack.pop_back();
    for (int w : adj[v])
      if (!seen[w]) {
        seen[w] = true;
        stack.push_back(w);
      }
  }
  return seen[links[skip].b];
}

bool has_bridge(int n, const std::vector<Link>& links) {
  for (std::size_t i = 0; i < links.size(); ++i)
    if (links[i].kept && !joined_without(n, links, i)) return true;
  return false;
}

}  // namespace

MadeNetwork make_network(int n, unsigned seed, double mean_degree) {
  MadeNetwork made;
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> place(0.0, 1000.0);
  for (int i = 0; i < n; ++i) {
    made.x.push_back(place(random));
    made.y.push_back(place(random));
  }
  auto d2 = [&](int i, int j) {
    return (made.x[i] - made.x[j]) * (made.x[i] - made.x[j]) + (made.y[i] - made.y[j]) * (made.y[i] - made.y[j]);
  };
  // Gabriel graph: i and j are joined when no other node lies in the circle
  // with diameter ij.
  std::vector<Link> links;
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j) {
      bool empty = true;
      for (int k = 0; k < n && empty; ++k)
        if (k != i && k != j && d2(i, k) + d2(j, k) < d2(i, j)) empty = false;
      if (empty) links.push_back({i, j, std::sqrt(d2(i, j))});
    }
  std::sort(links.begin(), links.end(), [](const Link& p, const Link& q) { return p.length > q.length; });
  std::size_t kept = links.size();
  for (std::size_t i = 0; i < links.size() && 2.0 * static_cast<double>(kept) / n > mean_degree; ++i) {
    links[i].kept = false;
    if (has_bridge(n, links))
      links[i].kept = true;
    else
      --kept;
  }
  std::vector<Link> spans;
  for (const Link& l : links)
    if (l.kept) spans.push_back(l);
  std::sort(spans.begin(), spans.end(), [](const Link& p, const Link& q) { return p.a != q.a ? p.a < q.a : p.b < q.b; });

  // Shortest routes by length from every node (Dijkstra over a dense array).
  std::vector<std::vector<std::pair<int, int>>> adj(static_cast<std::size_t>(n));  // (neighbour, span)
  for (std::size_t s = 0; s < spans.size(); ++s) {
    adj[spans[s].a].push_back({spans[s].b, static_cast<int>(s)});
    adj[spans[s].b].push_back({spans[s].a, static_cast<int>(s)});
  }
  std::vector<long long> working(spans.size(), 0);
  for (int src = 0; src < n; ++src) {
    std::vector<double> dist(static_cast<std::size_t>(n), std::numeric_limits<double>::infinity());
    std::vector<int> via(static_cast<std::size_t>(n), -1);
    std::vector<bool> done(static_cast<std::size_t>(n), false);
    dist[src] = 0;
    for (int round = 0; round < n; ++round) {
      int v = -1;
      for (int u = 0; u < n; ++u)
        if (!done[u] && (v < 0 || dist[u] < dist[v])) v = u;
      if (v < 0 || std::isinf(dist[v])) break;
      done[v] = true;
      for (auto [w, s] : adj[v])
        if (dist[v] + spans[s].length < dist[w]) {
          dist[w] = dist[v] + spans[s].length;
          via[w] = s;
        }
    }
    for (int dst = src + 1; dst < n; ++dst)
      for (int v = dst; v != src && via[v] >= 0;) {
        const Link& l = spans[via[v]];
        ++working[via[v]];
        v = l.a == v ? l.b : l.a;
      }
  }
  made.net.n_node = n;
  for (std::size_t s = 0; s < spans.size(); ++s)
    made.net.spans.push_back({spans[s].a + 1, spans[s].b + 1,
                              std::max(1LL, std::llround(spans[s].length / 50.0)), working[s], 0});
  return made;
}
