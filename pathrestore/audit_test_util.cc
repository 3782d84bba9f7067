#include "audit_test_util.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>

namespace audit {

namespace {

using Pair = std::pair<int, int>;
Pair pair_of(int a, int b) { return {std::min(a, b), std::max(a, b)}; }

// What the scenario leaves: capacity per pair of nodes, failed nodes, and
// the affected paths per demand.
struct Left {
  std::map<Pair, long long> capacity;  // surviving pairs only
  std::set<Pair> failed_pairs;         // pairs with a failed span and no surviving one
  std::set<int> failed_nodes;
  std::map<Pair, long long> affected;  // per demand (its ends)
  Counts counts;
};

Left left_of(const Network& net, const Scenario& s, bool stub_release) {
  Left out;
  std::set<int> failed(s.spans.begin(), s.spans.end());
  out.failed_nodes.insert(s.nodes.begin(), s.nodes.end());
  for (std::size_t k = 0; k < net.spans.size(); ++k)
    if (out.failed_nodes.count(net.spans[k].a) || out.failed_nodes.count(net.spans[k].b)) failed.insert(static_cast<int>(k));
  // Which span each path crosses, filled in file order.
  std::vector<long long> used(net.spans.size(), 0);
  std::vector<std::vector<int>> crossed;
  for (const std::vector<int>& path : net.paths) {
    std::vector<int> spans;
    for (std::size_t j = 0; j + 1 < path.size(); ++j) {
      int chosen = -1;
      for (std::size_t k = 0; k < net.spans.size(); ++k)
        if (pair_of(net.spans[k].a, net.spans[k].b) == pair_of(path[j], path[j + 1])) {
          chosen = static_cast<int>(k);
          if (used[k] < net.spans[k].working) break;
        }
      ++used[static_cast<std::size_t>(chosen)];
      spans.push_back(chosen);
    }
    crossed.push_back(spans);
  }
  std::vector<long long> released(net.spans.size(), 0);
  for (std::size_t q = 0; q < net.paths.size(); ++q) {
    const std::vector<int>& path = net.paths[q];
    bool hit = false;
    for (int v : path) hit = hit || out.failed_nodes.count(v) > 0;
    for (int k : crossed[q]) hit = hit || failed.count(k) > 0;
    if (!hit) continue;
    if (out.failed_nodes.count(path.front()) || out.failed_nodes.count(path.back())) {
      ++out.counts.ending;
    } else {
      ++out.counts.affected;
      ++out.affected[pair_of(path.front(), path.back())];
    }
    for (int k : crossed[q]) ++released[static_cast<std::size_t>(k)];
  }
  for (std::size_t k = 0; k < net.spans.size(); ++k) {
    const Pair p = pair_of(net.spans[k].a, net.spans[k].b);
    if (failed.count(static_cast<int>(k))) {
      out.failed_pairs.insert(p);
      continue;
    }
    out.capacity[p] += net.spans[k].spare + (stub_release ? released[k] : 0);
  }
  for (const auto& [p, c] : out.capacity) out.failed_pairs.erase(p);
  return out;
}

}  // namespace

std::string check(const Network& net, const Scenario& s, bool stub_release, int max_spans, const std::vector<Route>& routes,
                  long long restored, Counts& counts) {
  const Left left = left_of(net, s, stub_release);
  counts = left.counts;
  std::map<Pair, long long> use, carried;
  long long total = 0;
  for (std::size_t r = 0; r < routes.size(); ++r) {
    const Route& route = routes[r];
    const std::string which = "route " + std::to_string(r + 1) + ": ";
    if (route.nodes.size() < 2 || route.channels <= 0) return which + "no route";
    const Pair ends = pair_of(route.nodes.front(), route.nodes.back());
    if (!left.affected.count(ends)) return which + "joins the ends of no affected demand";
    if (max_spans > 0 && static_cast<int>(route.nodes.size()) - 1 > max_spans) return which + "too many spans";
    std::set<int> seen;
    for (int v : route.nodes) {
      if (left.failed_nodes.count(v)) return which + "passes a failed node";
      if (!seen.insert(v).second) return which + "visits a node twice";
    }
    for (std::size_t j = 0; j + 1 < route.nodes.size(); ++j) {
      const Pair hop = pair_of(route.nodes[j], route.nodes[j + 1]);
      if (left.failed_pairs.count(hop)) return which + "crosses a failed span";
      if (!left.capacity.count(hop)) return which + "joins two nodes no span joins";
      use[hop] += route.channels;
    }
    carried[ends] += route.channels;
    total += route.channels;
  }
  for (const auto& [hop, n] : use)
    if (n > left.capacity.at(hop)) return "over capacity between two nodes";
  for (const auto& [ends, n] : carried)
    if (n > left.affected.at(ends)) return "a demand restored beyond its affected paths";
  if (total != restored) return "the routes carry " + std::to_string(total) + ", not " + std::to_string(restored);
  return "";
}

long long brute_force(const Network& net, const Scenario& s, bool stub_release, int max_spans) {
  const Left left = left_of(net, s, stub_release);
  // Every simple route of every demand over pairs with capacity.
  std::map<int, std::vector<int>> next;
  for (const auto& [p, c] : left.capacity)
    if (c > 0 && !left.failed_nodes.count(p.first) && !left.failed_nodes.count(p.second)) {
      next[p.first].push_back(p.second);
      next[p.second].push_back(p.first);
    }
  struct Demand {
    long long affected;
    std::vector<std::vector<Pair>> routes;
  };
  std::vector<Demand> demands;
  for (const auto& [ends, n] : left.affected) {
    Demand d{n, {}};
    std::vector<int> route{ends.first};
    std::function<void()> walk = [&] {
      const int v = route.back();
      if (v == ends.second) {
        std::vector<Pair> hops;
        for (std::size_t j = 0; j + 1 < route.size(); ++j) hops.push_back(pair_of(route[j], route[j + 1]));
        d.routes.push_back(hops);
        return;
      }
      if (max_spans > 0 && static_cast<int>(route.size()) - 1 >= max_spans) return;
      for (int w : next[v])
        if (std::find(route.begin(), route.end(), w) == route.end()) {
          route.push_back(w);
          walk();
          route.pop_back();
        }
    };
    walk();
    demands.push_back(d);
  }
  std::map<Pair, long long> cap = left.capacity;
  long long best = 0, total = 0;
  long long still_possible = 0;
  for (const Demand& d : demands) still_possible += d.affected;
  std::function<void(std::size_t, std::size_t, long long)> search = [&](std::size_t d, std::size_t r, long long room) {
    if (total + room + (still_possible) <= best) return;
    if (d == demands.size()) {
      best = std::max(best, total);
      return;
    }
    const Demand& demand = demands[d];
    if (r == demand.routes.size()) {
      still_possible -= d + 1 < demands.size() ? demands[d + 1].affected : 0;
      search(d + 1, 0, d + 1 < demands.size() ? demands[d + 1].affected : 0);
      still_possible += d + 1 < demands.size() ? demands[d + 1].affected : 0;
      return;
    }
    long long most = room;
    for (const Pair& h : demand.routes[r]) most = std::min(most, cap[h]);
    for (long long n = most; n >= 0; --n) {
      for (const Pair& h : demand.routes[r]) cap[h] -= n;
      total += n;
      search(d, r + 1, room - n);
      total -= n;
      for (const Pair& h : demand.routes[r]) cap[h] += n;
    }
  };
  if (demands.empty()) return 0;
  still_possible -= demands[0].affected;
  search(0, 0, demands[0].affected);
  return best;
}

}  // namespace audit
