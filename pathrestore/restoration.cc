#include "restoration.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <map>
#include <queue>
#include <set>

#include "column_lp.h"
#include "linear_model.h"

namespace pathrestore {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
// A route prices in when its reduced cost is below this.
constexpr double kPriceTolerance = 1e-9;
// Column generation stops after this many rounds; its bound holds whenever it stops.
constexpr int kMostRounds = 500;

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

Links links_of(const Network& net, const ScenarioProblem& p) {
  Links g;
  std::map<std::pair<int, int>, int> index;
  for (int k = 0; k < net.span_count(); ++k) {
    const long long c = p.capacity[static_cast<std::size_t>(k)];
    if (c <= 0 || p.span_failed[static_cast<std::size_t>(k)]) continue;
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

// A route as the links it crosses.
struct Column {
  int demand = 0;          // index into the problem's demands
  std::vector<int> nodes;  // from the demand's `from` to its `to`
  std::vector<int> links;
};

std::vector<int> links_along(const Links& g, const std::vector<int>& nodes) {
  std::vector<int> links;
  for (std::size_t j = 0; j + 1 < nodes.size(); ++j) links.push_back(g.between(nodes[j], nodes[j + 1]));
  return links;
}

// The routes found so far, each once.
class ColumnPool {
 public:
  // The column of the route, added when new.
  int index_of(const Links& g, int demand, const std::vector<int>& nodes, bool& added) {
    const auto [it, is_new] = known_.emplace(std::make_pair(demand, nodes), static_cast<int>(columns_.size()));
    added = is_new;
    if (is_new) columns_.push_back({demand, nodes, links_along(g, nodes)});
    return it->second;
  }
  const std::vector<Column>& columns() const { return columns_; }

 private:
  std::map<std::pair<int, std::vector<int>>, int> known_;
  std::vector<Column> columns_;
};

// The fewest-span route from `from` to `to` over links with something left
// (or any link, when `left` is empty), within `max_spans` (0: any); empty
// when there is none. Neighbours are taken in ascending order.
std::vector<int> fewest_spans(const Links& g, int from, int to, const std::vector<long long>* left, int max_spans) {
  std::vector<int> before(g.next.size(), 0), depth(g.next.size(), -1);
  std::deque<int> queue{from};
  depth[static_cast<std::size_t>(from)] = 0;
  while (!queue.empty() && depth[static_cast<std::size_t>(to)] < 0) {
    const int v = queue.front();
    queue.pop_front();
    if (max_spans > 0 && depth[static_cast<std::size_t>(v)] >= max_spans) continue;
    for (const auto& [w, l] : g.next[static_cast<std::size_t>(v)]) {
      if (depth[static_cast<std::size_t>(w)] >= 0 || (left != nullptr && (*left)[static_cast<std::size_t>(l)] <= 0)) continue;
      depth[static_cast<std::size_t>(w)] = depth[static_cast<std::size_t>(v)] + 1;
      before[static_cast<std::size_t>(w)] = v;
      queue.push_back(w);
    }
  }
  if (depth[static_cast<std::size_t>(to)] < 0) return {};
  std::vector<int> route{to};
  while (route.back() != from) route.push_back(before[static_cast<std::size_t>(route.back())]);
  std::reverse(route.begin(), route.end());
  return route;
}

// A solution: channels per column of the pool.
using Counts = std::map<int, long long>;

long long total_of(const Counts& counts) {
  long long total = 0;
  for (const auto& [c, n] : counts) total += n;
  return total;
}

// Routes the demands in `order`, each as far as it goes, over what is `left`
// of the links; `still` is what each demand has yet to restore.
void route_greedily(const Links& g, const ScenarioProblem& p, const std::vector<int>& order, int max_spans,
                    std::vector<long long>& left, std::vector<long long>& still, ColumnPool& pool, Counts& counts) {
  for (int d : order) {
    const RestorationDemand& demand = p.demands[static_cast<std::size_t>(d)];
    while (still[static_cast<std::size_t>(d)] > 0) {
      const std::vector<int> route = fewest_spans(g, demand.from, demand.to, &left, max_spans);
      if (route.empty()) break;
      bool added = false;
      const int c = pool.index_of(g, d, route, added);
      long long n = still[static_cast<std::size_t>(d)];
      for (int l : pool.columns()[static_cast<std::size_t>(c)].links) n = std::min(n, left[static_cast<std::size_t>(l)]);
      for (int l : pool.columns()[static_cast<std::size_t>(c)].links) left[static_cast<std::size_t>(l)] -= n;
      still[static_cast<std::size_t>(d)] -= n;
      counts[c] += n;
    }
  }
}

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
      dist_.assign(n, kInf);
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
    layer_.assign(layers * n, kInf);
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
        if (was[v] == kInf) continue;
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

// The linear program over the pool's routes, grown until no route prices
// in. Returns the bound; `values` gets the last solution per column.
double linear_bound(const Links& g, const ScenarioProblem& p, int max_spans, ColumnPool& pool, std::vector<double>& values) {
  const std::size_t n_link = g.links.size();
  const std::size_t n_demand = p.demands.size();
  std::vector<double> low(n_link + n_demand, -LinearModel::kInfinity), high;
  for (const Links::Link& l : g.links) high.push_back(static_cast<double>(l.capacity));
  for (const RestorationDemand& d : p.demands) high.push_back(d.affected);
  ColumnLp lp(low, high);
  auto add = [&](const Column& c) {
    std::vector<int> rows(c.links.begin(), c.links.end());
    rows.push_back(static_cast<int>(n_link) + c.demand);
    lp.add_column(-1.0, 0.0, LinearModel::kInfinity, rows, std::vector<double>(rows.size(), 1.0));
  };
  // Every demand starts with its fewest-span route, beside the routes found so far.
  for (std::size_t d = 0; d < n_demand; ++d) {
    const std::vector<int> route = fewest_spans(g, p.demands[d].from, p.demands[d].to, nullptr, max_spans);
    bool added = false;
    if (!route.empty()) pool.index_of(g, static_cast<int>(d), route, added);
  }
  for (const Column& c : pool.columns()) add(c);
  // By source node, the demands priced from it.
  std::map<int, std::vector<int>> by_source;
  for (std::size_t d = 0; d < n_demand; ++d) by_source[p.demands[d].from].push_back(static_cast<int>(d));

  double best = 0.0;  // no prices: every demand with a route restores in full
  {
    std::vector<char> reachable(n_demand, 0);
    for (const Column& c : pool.columns()) reachable[static_cast<std::size_t>(c.demand)] = 1;
    for (std::size_t d = 0; d < n_demand; ++d)
      if (reachable[d]) best += p.demands[d].affected;
  }
  if (pool.columns().empty()) {
    values.clear();
    return 0.0;
  }
  Pricing pricing(g, max_spans);
  std::vector<double> price(n_link);
  for (int round = 0; round < kMostRounds; ++round) {
    if (!lp.solve()) break;
    values = lp.values();
    const double value = -lp.objective();
    const std::vector<double> duals = lp.row_duals();
    double bound = 0.0;
    for (std::size_t l = 0; l < n_link; ++l) {
      price[l] = std::max(0.0, -duals[l]);
      bound += price[l] * static_cast<double>(g.links[l].capacity);
    }
    std::vector<std::pair<int, std::vector<int>>> found;
    for (const auto& [source, demands] : by_source) {
      pricing.from(source, price);
      for (int d : demands) {
        const RestorationDemand& demand = p.demands[static_cast<std::size_t>(d)];
        const double cheapest = pricing.price_to(demand.to);
        if (cheapest == kInf) continue;
        bound += demand.affected * std::max(0.0, 1.0 - cheapest);
        const double own = std::max(0.0, -duals[n_link + static_cast<std::size_t>(d)]);
        if (cheapest + own < 1.0 - kPriceTolerance) found.push_back({d, pricing.route_to(demand.to)});
      }
    }
    best = std::min(best, bound);
    bool any = false;
    for (const auto& [d, route] : found) {
      bool added = false;
      const int c = pool.index_of(g, d, route, added);
      if (added) add(pool.columns()[static_cast<std::size_t>(c)]);
      any = any || added;
    }
    if (!any || best <= value + 1e-7) break;
  }
  values.resize(pool.columns().size(), 0.0);
  return best;
}

// The linear solution rounded down, then topped up greedily.
Counts rounded(const Links& g, const ScenarioProblem& p, const std::vector<int>& order, int max_spans, ColumnPool& pool,
               const std::vector<double>& values) {
  std::vector<long long> left;
  for (const Links::Link& l : g.links) left.push_back(l.capacity);
  std::vector<long long> still;
  for (const RestorationDemand& d : p.demands) still.push_back(d.affected);
  Counts counts;
  for (std::size_t c = 0; c < values.size(); ++c) {
    const Column& col = pool.columns()[c];
    long long n = static_cast<long long>(std::floor(values[c] + 1e-6));
    n = std::min(n, still[static_cast<std::size_t>(col.demand)]);
    for (int l : col.links) n = std::min(n, left[static_cast<std::size_t>(l)]);
    if (n <= 0) continue;
    for (int l : col.links) left[static_cast<std::size_t>(l)] -= n;
    still[static_cast<std::size_t>(col.demand)] -= n;
    counts[static_cast<int>(c)] += n;
  }
  route_greedily(g, p, order, max_spans, left, still, pool, counts);
  return counts;
}

// The integer program over the pool's routes, started from `start`.
Counts integer_program(const Links& g, const ScenarioProblem& p, const ColumnPool& pool, const Counts& start,
                       double seconds) {
  LinearModel m;
  for (const Links::Link& l : g.links) m.add_row(-LinearModel::kInfinity, static_cast<double>(l.capacity));
  for (const RestorationDemand& d : p.demands) m.add_row(-LinearModel::kInfinity, d.affected);
  const int n_link = static_cast<int>(g.links.size());
  for (const Column& c : pool.columns()) {
    const int x = m.add_column(-1.0, 0.0, p.demands[static_cast<std::size_t>(c.demand)].affected, true);
    for (int l : c.links) m.add_entry(l, x, 1.0);
    m.add_entry(n_link + c.demand, x, 1.0);
  }
  MipOptions options;
  options.seconds = seconds;
  for (int c = 0; c < m.columns(); ++c) {
    options.start_columns.push_back(c);
    const auto it = start.find(c);
    options.start_values.push_back(it == start.end() ? 0.0 : static_cast<double>(it->second));
  }
  const MipResult r = solve_with_cbc(m, options);
  Counts counts;
  if (!r.has_solution) return counts;
  for (int c = 0; c < m.columns(); ++c) {
    const long long n = std::llround(r.values[static_cast<std::size_t>(c)]);
    if (n > 0) counts[c] = n;
  }
  // Whatever the solver's tolerances let through is no restoration.
  std::vector<long long> used(g.links.size(), 0), per_demand(p.demands.size(), 0);
  for (const auto& [c, n] : counts) {
    for (int l : pool.columns()[static_cast<std::size_t>(c)].links) used[static_cast<std::size_t>(l)] += n;
    per_demand[static_cast<std::size_t>(pool.columns()[static_cast<std::size_t>(c)].demand)] += n;
  }
  for (std::size_t l = 0; l < used.size(); ++l)
    if (used[l] > g.links[l].capacity) return {};
  for (std::size_t d = 0; d < per_demand.size(); ++d)
    if (per_demand[d] > p.demands[d].affected) return {};
  return counts;
}

}  // namespace

ScenarioResult restore(const Network& net, const ScenarioProblem& p, const RestoreOptions& options) {
  ScenarioResult result;
  const Links g = links_of(net, p);
  const std::size_t n_demand = p.demands.size();
  ColumnPool pool;

  // Shortest demands first.
  std::vector<std::pair<std::size_t, int>> keyed;
  for (std::size_t d = 0; d < n_demand; ++d) {
    const std::vector<int> route = fewest_spans(g, p.demands[d].from, p.demands[d].to, nullptr, options.max_spans);
    keyed.push_back({route.empty() ? std::numeric_limits<std::size_t>::max() : route.size(), static_cast<int>(d)});
  }
  std::sort(keyed.begin(), keyed.end());
  std::vector<int> order;
  for (const auto& [spans, d] : keyed) order.push_back(d);

  std::vector<long long> left;
  for (const Links::Link& l : g.links) left.push_back(l.capacity);
  std::vector<long long> still;
  for (const RestorationDemand& d : p.demands) still.push_back(d.affected);
  Counts best;
  route_greedily(g, p, order, options.max_spans, left, still, pool, best);
  long long best_total = total_of(best);
  result.bound = static_cast<double>(p.affected);

  if (best_total < p.affected) {
    std::vector<double> values;
    const double bound = linear_bound(g, p, options.max_spans, pool, values);
    result.bound = std::clamp(bound, static_cast<double>(best_total), static_cast<double>(p.affected));
    const long long target = static_cast<long long>(std::floor(result.bound + 1e-6));
    if (best_total < target && !values.empty()) {
      const Counts round = rounded(g, p, order, options.max_spans, pool, values);
      if (total_of(round) > best_total) {
        best = round;
        best_total = total_of(round);
        result.step = RestoreStep::rounding;
      }
    }
    if (best_total < target && options.ip_seconds > 0) {
      const Counts ip = integer_program(g, p, pool, best, options.ip_seconds);
      if (total_of(ip) > best_total) {
        best = ip;
        best_total = total_of(ip);
        result.step = RestoreStep::integer_program;
      }
    }
  }

  // The routes, by demand, each demand's fewest spans first.
  std::vector<std::vector<std::pair<int, long long>>> per_demand(n_demand);
  for (const auto& [c, n] : best)
    if (n > 0) per_demand[static_cast<std::size_t>(pool.columns()[static_cast<std::size_t>(c)].demand)].push_back({c, n});
  result.restored_per_demand.assign(n_demand, 0);
  for (std::size_t d = 0; d < n_demand; ++d) {
    std::vector<std::pair<int, long long>>& routes = per_demand[d];
    std::sort(routes.begin(), routes.end(), [&](const auto& x, const auto& y) {
      const std::vector<int>& a = pool.columns()[static_cast<std::size_t>(x.first)].nodes;
      const std::vector<int>& b = pool.columns()[static_cast<std::size_t>(y.first)].nodes;
      return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    for (const auto& [c, n] : routes) {
      result.routes.push_back({pool.columns()[static_cast<std::size_t>(c)].nodes, n});
      result.route_demand.push_back(static_cast<int>(d));
      result.restored_per_demand[d] += n;
    }
  }
  result.restored = best_total;
  return result;
}

}  // namespace pathrestore
