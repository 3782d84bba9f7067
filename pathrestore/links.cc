#include "links.h"

#include <algorithm>
#include <deque>
#include <map>

namespace pathrestore {

Links links_of(const Network& net, const ScenarioProblem& p, bool every_surviving) {
  Links g;
  std::map<std::pair<int, int>, int> index;
  for (int k = 0; k < net.span_count(); ++k) {
    const long long c = p.capacity[static_cast<std::size_t>(k)];
    if ((c <= 0 && !every_surviving) || p.span_failed[static_cast<std::size_t>(k)]) continue;
    const studyfiles::Span& s = net.spans[static_cast<std::size_t>(k)];
    if (p.node_failed[static_cast<std::size_t>(s.from)] || p.node_failed[static_cast<std::size_t>(s.to)]) continue;
    const std::pair<int, int> ends{std::min(s.from, s.to), std::max(s.from, s.to)};
    const auto [it, added] = index.emplace(ends, static_cast<int>(g.links.size()));
    if (added) g.links.push_back({ends.first, ends.second, 0});
    g.links[static_cast<std::size_t>(it->second)].capacity += c;
  }
  g.next.assign(static_cast<std::size_t>(net.n_node) + 1, {});
  for (std::size_t l = 0; l < g.links.size(); ++l) {
    g.next[static_cast<std::size_t>(g.links[l].a)].push_back({g.links[l].b, static_cast<int>(l)});
    g.next[static_cast<std::size_t>(g.links[l].b)].push_back({g.links[l].a, static_cast<int>(l)});
  }
  for (auto& n : g.next) std::sort(n.begin(), n.end());
  return g;
}

// The fewest-span route from `from` to `to` over links with something left
// (or any link, when `left` is empty), within `max_spans` (0: any); empty
// when there is none. Neighbours are taken in ascending order. `cut_short`,
// when given, tells whether the limit kept the search from nodes it could
// have reached.
std::vector<int> fewest_spans(const Links& g, int from, int to, const std::vector<long long>* left, int max_spans,
                              bool* cut_short) {
  std::vector<int> before(g.next.size(), 0), depth(g.next.size(), -1);
  std::deque<int> queue{from};
  depth[static_cast<std::size_t>(from)] = 0;
  bool limited = false;
  while (!queue.empty() && depth[static_cast<std::size_t>(to)] < 0) {
    const int v = queue.front();
    queue.pop_front();
    const bool at_limit = max_spans > 0 && depth[static_cast<std::size_t>(v)] >= max_spans;
    for (const auto& [w, l] : g.next[static_cast<std::size_t>(v)]) {
      if (depth[static_cast<std::size_t>(w)] >= 0 || (left != nullptr && (*left)[static_cast<std::size_t>(l)] <= 0)) continue;
      if (at_limit) {
        limited = true;
        break;
      }
      depth[static_cast<std::size_t>(w)] = depth[static_cast<std::size_t>(v)] + 1;
      before[static_cast<std::size_t>(w)] = v;
      queue.push_back(w);
    }
  }
  if (cut_short != nullptr) *cut_short = limited;
  if (depth[static_cast<std::size_t>(to)] < 0) return {};
  std::vector<int> route{to};
  while (route.back() != from) route.push_back(before[static_cast<std::size_t>(route.back())]);
  std::reverse(route.begin(), route.end());
  return route;
}

}  // namespace pathrestore
