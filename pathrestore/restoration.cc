#include "restoration.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <map>
#include <memory>
#include <queue>
#include <set>
#include <unordered_set>

#include "cbc_mip.h"
#include "column_lp.h"
#include "linear_model.h"
#include "links.h"
#include "routes_file.h"

namespace pathrestore {

namespace {

using lpsolve::ColumnLp;
using lpsolve::LinearModel;

constexpr double kInf = std::numeric_limits<double>::infinity();
// A route prices in when its reduced cost is below this.
constexpr double kPriceTolerance = 1e-9;
// Column generation stops after this many rounds; its bound holds whenever it stops.
constexpr int kMostRounds = 500;
// The greedy routing: how fast a link lengthens as it fills, and its rounds
// (the threshold doubles each round: after 64 it passes every route).
constexpr double kFill = 10.0;
constexpr int kMostGreedyRounds = 64;

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

// The routes found so far, each once. Each route's nodes are held once,
// in its column: the index of the known routes hashes the columns
// themselves. It stays where it was made (the index points into it).
class ColumnPool {
 public:
  ColumnPool() = default;
  ColumnPool(const ColumnPool&) = delete;
  ColumnPool& operator=(const ColumnPool&) = delete;

  // The column of the route, added when new.
  int index_of(const Links& g, int demand, const std::vector<int>& nodes, bool& added) {
    if (const auto it = known_.find(Route{demand, &nodes}); it != known_.end()) {
      added = false;
      return *it;
    }
    columns_.push_back({demand, nodes, links_along(g, nodes)});
    const int c = static_cast<int>(columns_.size()) - 1;
    known_.insert(c);
    added = true;
    return c;
  }
  const std::vector<Column>& columns() const { return columns_; }

 private:
  // A route looked up before it has a column.
  struct Route {
    int demand;
    const std::vector<int>* nodes;
  };
  struct Hash {
    using is_transparent = void;
    const std::vector<Column>* columns;
    std::size_t operator()(const Route& r) const {
      std::size_t h = std::hash<int>{}(r.demand);
      for (int v : *r.nodes) h = h * 1000003u ^ std::hash<int>{}(v);
      return h;
    }
    std::size_t operator()(int c) const {
      const Column& col = (*columns)[static_cast<std::size_t>(c)];
      return (*this)(Route{col.demand, &col.nodes});
    }
  };
  struct Same {
    using is_transparent = void;
    const std::vector<Column>* columns;
    Route route(int c) const {
      const Column& col = (*columns)[static_cast<std::size_t>(c)];
      return {col.demand, &col.nodes};
    }
    static bool same(const Route& a, const Route& b) { return a.demand == b.demand && *a.nodes == *b.nodes; }
    bool operator()(int a, int b) const { return same(route(a), route(b)); }
    bool operator()(const Route& a, int b) const { return same(a, route(b)); }
    bool operator()(int a, const Route& b) const { return same(route(a), b); }
  };
  std::vector<Column> columns_;
  std::unordered_set<int, Hash, Same> known_{0, Hash{&columns_}, Same{&columns_}};
};

// A solution: channels per column of the pool.
using Counts = std::map<int, long long>;

long long total_of(const Counts& counts) {
  long long total = 0;
  for (const auto& [c, n] : counts) total += n;
  return total;
}

// Routes the demands over what is `left` of the links, one channel at a
// time, in the manner of the multiplicative-weights algorithms for
// multi-commodity flow: a link is as long as exp(kFill x used / capacity),
// so that it grows longer as it fills, and in rounds of a threshold on length
// that doubles from round to round, each demand in `order` takes its
// shortest route with capacity left (within `max_spans`) while that route is
// no longer than the threshold. Short routes over empty links go first; a
// route into a crowded part of the network waits until nothing shorter is
// left. `still` is what each demand has yet to restore.
void route_greedily(const Links& g, const ScenarioProblem& p, const std::vector<int>& order, int max_spans,
                    std::vector<long long>& left, std::vector<long long>& still, ColumnPool& pool, Counts& counts) {
  std::vector<double> length(g.links.size());
  const auto measure = [&](std::size_t l) {
    const double capacity = static_cast<double>(g.links[l].capacity);
    length[l] = left[l] <= 0 ? kInf : std::exp(kFill * (capacity - static_cast<double>(left[l])) / capacity);
  };
  for (std::size_t l = 0; l < length.size(); ++l) measure(l);
  // Per source node, its distances when last measured: lengths only grow,
  // so an old distance is never more than the true one.
  std::map<int, std::pair<long long, std::vector<double>>> measured;
  long long changes = 0;
  Pricing pricing(g, max_spans);
  int priced_from = 0;
  long long priced_at = -1;
  const auto price_from = [&](int source) {
    if (priced_from == source && priced_at == changes) return;
    pricing.from(source, length);
    priced_from = source;
    priced_at = changes;
    std::vector<double>& dist = measured[source].second;
    dist.resize(g.next.size());
    for (std::size_t v = 0; v < dist.size(); ++v) dist[v] = pricing.price_to(static_cast<int>(v));
    measured[source].first = changes;
  };
  std::vector<int> waiting;
  for (int d : order)
    if (still[static_cast<std::size_t>(d)] > 0) waiting.push_back(d);
  double threshold = 1.0;
  for (int round = 0; round < kMostGreedyRounds && !waiting.empty(); ++round) {
    threshold *= 2.0;
    std::vector<int> next;
    for (int d : waiting) {
      const RestorationDemand& demand = p.demands[static_cast<std::size_t>(d)];
      bool reachable = true;
      while (still[static_cast<std::size_t>(d)] > 0) {
        const auto known = measured.find(demand.from);
        if (known != measured.end()) {
          // Too long already, or no route at all, as it was last measured.
          const double was = known->second.second[static_cast<std::size_t>(demand.to)];
          reachable = was < kInf;
          if (was > threshold) break;
        }
        price_from(demand.from);
        const double dist = pricing.price_to(demand.to);
        if (dist == kInf) {
          reachable = false;
          break;
        }
        if (dist > threshold) break;
        bool added = false;
        const int c = pool.index_of(g, d, pricing.route_to(demand.to), added);
        for (int l : pool.columns()[static_cast<std::size_t>(c)].links) {
          --left[static_cast<std::size_t>(l)];
          measure(static_cast<std::size_t>(l));
        }
        --still[static_cast<std::size_t>(d)];
        ++counts[c];
        ++changes;
      }
      if (still[static_cast<std::size_t>(d)] > 0 && reachable) next.push_back(d);
    }
    waiting = std::move(next);
  }
}

// The bound of a set of prices on the links, from the dual of the linear
// program: each link's capacity at its price, plus each demand's affected
// paths at one less the price of its cheapest route (when that is above
// nothing). Any prices of zero or more give a bound, so that the figure
// holds wherever the pricing stopped.
double dual_bound(const Links& g, const ScenarioProblem& p, const std::vector<int>& demands,
                  const std::vector<double>& capacity, const std::vector<double>& price, Pricing& pricing) {
  double bound = 0.0;
  for (std::size_t l = 0; l < g.links.size(); ++l) bound += price[l] * capacity[l];
  std::map<int, std::vector<int>> by_source;
  for (int d : demands) by_source[p.demands[static_cast<std::size_t>(d)].from].push_back(d);
  for (const auto& [source, group] : by_source) {
    pricing.from(source, price);
    for (int d : group) {
      const RestorationDemand& demand = p.demands[static_cast<std::size_t>(d)];
      bound += demand.affected * std::max(0.0, 1.0 - pricing.price_to(demand.to));
    }
  }
  return bound;
}

struct LinearOutcome {
  bool solved = false;         // no route was left to price in, or the bound met the value
  double value = 0.0;          // the program's value at its last solve (a restoration reached)
  double bound = 0.0;          // the least dual bound met
  std::vector<double> values;  // per column of the pool: its value in the last solution (0 outside this program)
  std::vector<double> price;   // per link: the prices of the last solution
};

// The linear program of `demands` (indexes into the problem's demands) over
// link capacities, on the pool's routes of those demands, each demand with
// its fewest-span route among them. It may be grown again under other
// capacities: it starts from its last basis, the dual simplex first (the
// capacities changed, the basis stays dual feasible), the primal simplex
// after routes join.
class RouteProgram {
 public:
  RouteProgram(const Links& g, const ScenarioProblem& p, const std::vector<int>& demands,
               const std::vector<double>& capacity, int max_spans, ColumnPool& pool)
      : g_(g), p_(p), demands_(demands), max_spans_(max_spans), pool_(pool), row_of_(p.demands.size(), -1) {
    const std::size_t n_link = g.links.size();
    std::vector<double> low(n_link + demands.size(), -LinearModel::kInfinity), high(capacity);
    for (std::size_t i = 0; i < demands.size(); ++i) {
      row_of_[static_cast<std::size_t>(demands[i])] = static_cast<int>(n_link + i);
      high.push_back(p.demands[static_cast<std::size_t>(demands[i])].affected);
    }
    // Every demand starts with its fewest-span route, beside the routes found so far.
    for (int d : demands) {
      const RestorationDemand& demand = p.demands[static_cast<std::size_t>(d)];
      const std::vector<int> route = fewest_spans(g, demand.from, demand.to, nullptr, max_spans);
      bool added = false;
      if (!route.empty()) pool.index_of(g, d, route, added);
    }
    lp_ = std::make_unique<ColumnLp>(low, high);
    for (std::size_t c = 0; c < pool.columns().size(); ++c)
      if (row_of_[static_cast<std::size_t>(pool.columns()[c].demand)] >= 0) add(static_cast<int>(c));
    for (int d : demands) by_source_[p.demands[static_cast<std::size_t>(d)].from].push_back(d);
  }

  // Grown until no route prices in or, unless `exact`, until the bound and
  // the program's value round down to the same whole number: no more routes
  // could change the restoration that the bound allows. With `deep` above
  // 0, also once the bound falls short of `target` by more than `margin`
  // and by at least `deep` times what the value falls short by: the bound's
  // prices show a shortfall near the least.
  LinearOutcome grow(const std::vector<double>& capacity, bool exact, double deep = 0, double target = 0,
                     double margin = 0, int most_rounds = kMostRounds) {
    const std::size_t n_link = g_.links.size();
    LinearOutcome out;
    out.price.assign(n_link, 0.0);
    Pricing pricing(g_, max_spans_);
    out.bound = dual_bound(g_, p_, demands_, capacity, out.price, pricing);  // at prices of zero
    if (in_lp_.empty()) return out;
    ColumnLp::Simplex method = ColumnLp::Simplex::primal;
    if (solved_) {
      for (std::size_t l = 0; l < n_link; ++l) lp_->set_row_bounds(static_cast<int>(l), -LinearModel::kInfinity, capacity[l]);
      method = ColumnLp::Simplex::dual;
    }
    std::vector<double> price(n_link);
    std::vector<double> values;
    for (int round = 0; round < most_rounds; ++round) {
      if (!lp_->solve(0, method)) {
        solved_ = false;
        break;
      }
      solved_ = true;
      method = ColumnLp::Simplex::primal;
      values = lp_->values();
      const double value = -lp_->objective();
      out.value = value;
      const std::vector<double> duals = lp_->row_duals();
      double bound = 0.0;
      for (std::size_t l = 0; l < n_link; ++l) {
        price[l] = std::max(0.0, -duals[l]);
        bound += price[l] * capacity[l];
      }
      std::vector<std::pair<int, std::vector<int>>> found;
      for (const auto& [source, group] : by_source_) {
        pricing.from(source, price);
        for (int d : group) {
          const RestorationDemand& demand = p_.demands[static_cast<std::size_t>(d)];
          const double cheapest = pricing.price_to(demand.to);
          if (cheapest == kInf) continue;
          bound += demand.affected * std::max(0.0, 1.0 - cheapest);
          const double own = std::max(0.0, -duals[static_cast<std::size_t>(row_of_[static_cast<std::size_t>(d)])]);
          if (cheapest + own < 1.0 - kPriceTolerance) found.push_back({d, pricing.route_to(demand.to)});
        }
      }
      if (bound < out.bound) {
        out.bound = bound;
        out.price = price;
      }
      bool any = false;
      for (const auto& [d, route] : found) {
        bool added = false;
        const int c = pool_.index_of(g_, d, route, added);
        if (added) add(c);
        any = any || added;
      }
      if (!any || out.bound <= value + 1e-7) {
        out.solved = true;
        break;
      }
      if (!exact && std::floor(out.bound + 1e-6) <= std::floor(value + 1e-6)) break;
      if (deep > 0 && target - out.bound > margin && target - out.bound >= deep * (target - value)) break;
    }
    out.values.assign(pool_.columns().size(), 0.0);
    for (std::size_t k = 0; k < values.size(); ++k) out.values[static_cast<std::size_t>(in_lp_[k])] = values[k];
    return out;
  }

 private:
  void add(int c) {
    const Column& col = pool_.columns()[static_cast<std::size_t>(c)];
    std::vector<int> rows(col.links.begin(), col.links.end());
    rows.push_back(row_of_[static_cast<std::size_t>(col.demand)]);
    lp_->add_column(-1.0, 0.0, LinearModel::kInfinity, rows, std::vector<double>(rows.size(), 1.0));
    in_lp_.push_back(c);
  }

  const Links& g_;
  const ScenarioProblem& p_;
  std::vector<int> demands_;
  int max_spans_;
  ColumnPool& pool_;
  std::vector<int> row_of_;
  std::map<int, std::vector<int>> by_source_;
  std::unique_ptr<ColumnLp> lp_;
  std::vector<int> in_lp_;  // the pool's columns in the program, by the program's column
  bool solved_ = false;     // its last solve ended at an optimum: the next starts from its basis
};

LinearOutcome linear_bound(const Links& g, const ScenarioProblem& p, const std::vector<int>& demands,
                           const std::vector<double>& capacity, int max_spans, bool exact, ColumnPool& pool) {
  RouteProgram program(g, p, demands, capacity, max_spans, pool);
  return program.grow(capacity, exact);
}

// A part of the scenario: the demands still to be solved (in the part), the
// others held on the routes they have, and the capacity those routes leave.
struct Part {
  std::vector<char> in_part;        // per demand
  std::vector<int> demands;         // those in the part, ascending
  std::vector<long long> capacity;  // per link, less what the held routes take
  Counts held;                      // the held demands' routes
};

Part part_of(const Links& g, const ColumnPool& pool, const std::vector<char>& in_part, const Counts& routes) {
  Part part;
  part.in_part = in_part;
  for (std::size_t d = 0; d < in_part.size(); ++d)
    if (in_part[d]) part.demands.push_back(static_cast<int>(d));
  for (const Links::Link& l : g.links) part.capacity.push_back(l.capacity);
  for (const auto& [c, n] : routes) {
    const Column& col = pool.columns()[static_cast<std::size_t>(c)];
    if (in_part[static_cast<std::size_t>(col.demand)]) continue;
    part.held[c] += n;
    for (int l : col.links) part.capacity[static_cast<std::size_t>(l)] -= n;
  }
  return part;
}

// The part's linear solution rounded down, then up where the capacity left
// allows (the largest fractions first), then topped up greedily; with the
// held routes.
Counts rounded(const Links& g, const ScenarioProblem& p, const Part& part, const std::vector<int>& order, int max_spans,
               ColumnPool& pool, const std::vector<double>& values) {
  std::vector<long long> left = part.capacity;
  std::vector<long long> still(p.demands.size(), 0);
  for (int d : part.demands) still[static_cast<std::size_t>(d)] = p.demands[static_cast<std::size_t>(d)].affected;
  Counts counts = part.held;
  auto take = [&](std::size_t c, long long n) {
    const Column& col = pool.columns()[c];
    n = std::min(n, still[static_cast<std::size_t>(col.demand)]);
    for (int l : col.links) n = std::min(n, left[static_cast<std::size_t>(l)]);
    if (n <= 0) return;
    for (int l : col.links) left[static_cast<std::size_t>(l)] -= n;
    still[static_cast<std::size_t>(col.demand)] -= n;
    counts[static_cast<int>(c)] += n;
  };
  std::vector<std::pair<double, std::size_t>> fractions;
  for (std::size_t c = 0; c < values.size(); ++c) {
    const double whole = std::floor(values[c] + 1e-6);
    take(c, static_cast<long long>(whole));
    if (values[c] - whole > 1e-6) fractions.push_back({values[c] - whole, c});
  }
  std::stable_sort(fractions.begin(), fractions.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (const auto& [fraction, c] : fractions) take(c, 1);
  route_greedily(g, p, order, max_spans, left, still, pool, counts);
  return counts;
}

// The integer program of the part over the given columns of the pool,
// within `seconds`; with the held routes.
Counts integer_program(const ScenarioProblem& p, const Part& part, const ColumnPool& pool, const std::vector<int>& columns,
                       double seconds) {
  LinearModel m;
  for (long long c : part.capacity) m.add_row(-LinearModel::kInfinity, static_cast<double>(c));
  for (const RestorationDemand& d : p.demands) m.add_row(-LinearModel::kInfinity, d.affected);
  const int n_link = static_cast<int>(part.capacity.size());
  for (int c : columns) {
    const Column& col = pool.columns()[static_cast<std::size_t>(c)];
    const int x = m.add_column(-1.0, 0.0, p.demands[static_cast<std::size_t>(col.demand)].affected, true);
    for (int l : col.links) m.add_entry(l, x, 1.0);
    m.add_entry(n_link + col.demand, x, 1.0);
  }
  // No start is handed to CBC: its reading of a start failed once its
  // preprocessing had dropped columns. The caller keeps the better of this
  // and what it has.
  lpsolve::MipOptions options;
  options.seconds = seconds;
  // A solver that fails gives nothing: the restoration found before stands.
  const lpsolve::MipResult r = lpsolve::solve_with_cbc(m, options);
  if (!r.has_solution) return {};
  Counts counts;
  for (std::size_t k = 0; k < columns.size(); ++k) {
    const long long n = std::llround(r.values[k]);
    if (n > 0) counts[columns[k]] = n;
  }
  // Whatever the solver's tolerances let through is no restoration.
  std::vector<long long> used(part.capacity.size(), 0), per_demand(p.demands.size(), 0);
  for (const auto& [c, n] : counts) {
    for (int l : pool.columns()[static_cast<std::size_t>(c)].links) used[static_cast<std::size_t>(l)] += n;
    per_demand[static_cast<std::size_t>(pool.columns()[static_cast<std::size_t>(c)].demand)] += n;
  }
  for (std::size_t l = 0; l < used.size(); ++l)
    if (used[l] > part.capacity[l]) return {};
  for (std::size_t d = 0; d < per_demand.size(); ++d)
    if (per_demand[d] > p.demands[d].affected) return {};
  for (const auto& [c, n] : part.held) counts[c] += n;
  return counts;
}

// The price of a route under per-link prices.
double price_of(const Column& col, const std::vector<double>& price) {
  double sum = 0.0;
  for (int l : col.links) sum += price[static_cast<std::size_t>(l)];
  return sum;
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
    std::vector<int> all(n_demand);
    for (std::size_t d = 0; d < n_demand; ++d) all[d] = static_cast<int>(d);
    std::vector<double> capacity;
    for (const Links::Link& l : g.links) capacity.push_back(static_cast<double>(l.capacity));
    Pricing pricing(g, options.max_spans);
    // The linear program of a part of the scenario: the demands the greedy
    // routes left short or routed over a link they filled, the others held
    // on their routes. Its prices bound the whole scenario, and the part's
    // solution with the held routes is a solution of the whole: when the two
    // meet, the part's optimum is the whole's. Else the demands whose held
    // routes the prices charge join the part, until they meet or every
    // demand is in it.
    std::vector<char> in_part(n_demand, 0);
    for (std::size_t d = 0; d < n_demand; ++d) in_part[d] = still[d] > 0;
    for (const auto& [c, n] : best) {
      const Column& col = pool.columns()[static_cast<std::size_t>(c)];
      for (int l : col.links)
        if (left[static_cast<std::size_t>(l)] == 0) in_part[static_cast<std::size_t>(col.demand)] = 1;
    }
    const Counts greedy = best;
    double bound = static_cast<double>(p.affected);
    for (;;) {
      const Part part = part_of(g, pool, in_part, greedy);
      const LinearOutcome lp = linear_bound(g, p, part.demands, std::vector<double>(part.capacity.begin(), part.capacity.end()),
                                            options.max_spans, options.exact_bound, pool);
      bound = std::min(bound, part.demands.size() == n_demand ? lp.bound : dual_bound(g, p, all, capacity, lp.price, pricing));
      double reached = static_cast<double>(total_of(part.held));
      for (double v : lp.values) reached += v;
      const bool optimum = bound <= reached + 1e-6;
      const long long target = static_cast<long long>(std::floor(bound + 1e-6));
      if (best_total < target) {
        const Counts round = rounded(g, p, part, order, options.max_spans, pool, lp.values);
        if (total_of(round) > best_total) {
          best = round;
          best_total = total_of(round);
          result.step = RestoreStep::rounding;
        }
      }
      if (best_total >= target && (optimum || !options.exact_bound)) break;
      std::vector<char> grown = in_part;
      for (const auto& [c, n] : part.held) {
        const Column& col = pool.columns()[static_cast<std::size_t>(c)];
        if (price_of(col, lp.price) > kPriceTolerance) grown[static_cast<std::size_t>(col.demand)] = 1;
      }
      if (!optimum && grown != in_part) {
        in_part = std::move(grown);
        continue;
      }
      if (best_total < target && options.ip_seconds > 0) {
        // Over the routes the linear solution uses and those of the best so far.
        std::vector<int> columns;
        for (std::size_t c = 0; c < lp.values.size(); ++c)
          if (lp.values[c] > 1e-9 ||
              (best.count(static_cast<int>(c)) > 0 && part.in_part[static_cast<std::size_t>(pool.columns()[c].demand)]))
            columns.push_back(static_cast<int>(c));
        const Counts ip = integer_program(p, part, pool, columns, options.ip_seconds);
        if (total_of(ip) > best_total) {
          best = ip;
          best_total = total_of(ip);
          result.step = RestoreStep::integer_program;
        }
      }
      break;
    }
    result.bound = std::clamp(bound, static_cast<double>(best_total), static_cast<double>(p.affected));
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

struct RestorationLp::Pool {
  ColumnPool columns;
  std::unique_ptr<RouteProgram> program;
};

RestorationLp::RestorationLp(const Links& g, const ScenarioProblem& p, std::vector<int> demands, int max_spans)
    : g_(g), p_(p), demands_(std::move(demands)), max_spans_(max_spans), pool_(std::make_unique<Pool>()) {}

RestorationLp::~RestorationLp() = default;
RestorationLp::RestorationLp(RestorationLp&&) noexcept = default;

LinearRestoration RestorationLp::solve(const std::vector<double>& capacity, double deep, double margin, int rounds) {
  if (!pool_->program)
    pool_->program = std::make_unique<RouteProgram>(g_, p_, demands_, capacity, max_spans_, pool_->columns);
  double affected = 0;
  for (int d : demands_) affected += p_.demands[static_cast<std::size_t>(d)].affected;
  const LinearOutcome lp = pool_->program->grow(capacity, true, deep, affected, margin, rounds > 0 ? rounds : kMostRounds);
  LinearRestoration out;
  out.restored = lp.value;
  out.solved = lp.solved;
  out.bound = lp.bound;
  out.price = lp.price;
  return out;
}

int RestorationLp::routes() const { return static_cast<int>(pool_->columns.columns().size()); }

std::string format_routes(const std::string& kind, const std::string& name, const std::vector<Route>& routes,
                          const Network& net) {
  std::string text;
  for (const Route& r : routes) {
    studyfiles::RouteLine line{kind, name, r.channels, {}, 0};
    for (int v : r.nodes) line.nodes.push_back(net.name_of(v));
    text += studyfiles::format_route_line(line);
  }
  return text;
}

}  // namespace pathrestore
