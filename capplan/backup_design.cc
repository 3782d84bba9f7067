#include "backup_design.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <thread>
#include <tuple>

#include "capped_simplex.h"
#include "column_lp.h"
#include "linear_model.h"
#include "plan_bounds.h"
#include "routes.h"
#include "run_clock.h"
#include "span_network.h"
#include "text_format.h"

namespace capplan {

using lpsolve::LinearModel;
using pathrestore::Network;
using pathrestore::ScenarioProblem;
using pathrestore::WorkingPath;

namespace {

// A column priced in improves the linear program by more than this (relative
// to its row's price).
constexpr double kPriceTolerance = 1e-7;

// The shares of the search's time: the pricing's, then the ascent's of what
// is left when the pricing stopped short, then the local search's of the rest.
constexpr double kPricingShare = 0.6, kAscentShare = 0.5, kShakeShare = 0.8;
// The ascent's share when the local search has run beside the program all
// along (the ascent ends early anyway once its bound levels off).
constexpr double kAscentShareAlongside = 0.8;
// The pricing stops after a solve with new routes that took more than the
// pricing's time left over this (the next, of a larger program, would not end).
constexpr double kSlowSolve = 2;

// What the scenarios ask of each path.
struct ScenarioHits {
  std::vector<std::vector<int>> affecting;     // per path: the scenarios that affect it, ascending
  std::vector<std::vector<int>> failed_spans;  // per scenario: its failed spans, those at its failed nodes too
  std::vector<std::vector<int>> failed_nodes;  // per scenario
};

ScenarioHits scenario_hits(const BackupStudy& study) {
  ScenarioHits out;
  out.affecting.resize(study.paths->paths.size());
  for (std::size_t i = 0; i < study.scenarios->size(); ++i) {
    const ScenarioProblem p = pathrestore::problem_of(*study.net, *study.paths, (*study.scenarios)[i], false);
    std::vector<int> spans, nodes;
    for (std::size_t k = 0; k < p.span_failed.size(); ++k)
      if (p.span_failed[k]) spans.push_back(static_cast<int>(k));
    for (std::size_t v = 1; v < p.node_failed.size(); ++v)
      if (p.node_failed[v]) nodes.push_back(static_cast<int>(v));
    out.failed_spans.push_back(std::move(spans));
    out.failed_nodes.push_back(std::move(nodes));
    for (int q : p.hit) {
      const WorkingPath& path = study.paths->paths[static_cast<std::size_t>(q)];
      if (!p.node_failed[static_cast<std::size_t>(path.nodes.front())] &&
          !p.node_failed[static_cast<std::size_t>(path.nodes.back())])
        out.affecting[static_cast<std::size_t>(q)].push_back(static_cast<int>(i));
    }
  }
  return out;
}

long long added_cost(const BackupStudy& study, const std::vector<long long>& spare) {
  long long cost = 0;
  for (std::size_t k = 0; k < spare.size(); ++k) cost += study.cost[k] * (spare[k] - study.kept[k]);
  return cost;
}

// Paths alike for the plan: the same two ends and the same scenarios
// affecting them. Their routes run from the lower end node to the higher.
struct Group {
  int from = 0, to = 0;
  std::vector<int> paths;
  std::vector<int> scenarios;
  std::vector<int> acts;  // the activations (rows of spare) a backup of the group takes part in
  std::vector<char> banned_nodes, banned_spans;
  std::vector<std::vector<int>> routes;  // the candidate routes, as spans from `from`
  std::vector<int> columns;              // per route: its column
};

// Per group, the route each of its paths takes (an index into its routes).
using Choice = std::vector<std::vector<int>>;
// Per group, the route each of its paths takes, as its spans: the plans of
// the local search, which runs beside the linear program and so keeps apart
// from the routes that are the program's columns.
using Backups = std::vector<std::vector<std::vector<int>>>;

// The backups each activation brings onto each span, and the spare each
// span needs: its kept spare, or the most backups one activation brings if
// more. An activation is a scenario (shared protection) or, for 1+1, every
// backup at once.
class Loads {
 public:
  Loads(int n_act, const std::vector<long long>& kept)
      : n_span_(kept.size()), load_(static_cast<std::size_t>(n_act) * kept.size(), 0), need_(kept), kept_(kept) {}

  void add(const std::vector<int>& acts, const std::vector<int>& spans, int delta) {
    const std::size_t n_act = n_span_ == 0 ? 0 : load_.size() / n_span_;
    for (int e : spans) {
      const std::size_t k = static_cast<std::size_t>(e);
      for (int a : acts) load_[static_cast<std::size_t>(a) * n_span_ + k] += delta;
      long long need = kept_[k];
      if (delta > 0) {
        need = need_[k];
        for (int a : acts) need = std::max(need, load_[static_cast<std::size_t>(a) * n_span_ + k]);
      } else {
        for (std::size_t a = 0; a < n_act; ++a) need = std::max(need, load_[a * n_span_ + k]);
      }
      need_[k] = need;
    }
  }
  // Whether one more backup of these activations over span e needs one more
  // spare channel there.
  bool adds(const std::vector<int>& acts, int e) const {
    const std::size_t k = static_cast<std::size_t>(e);
    for (int a : acts)
      if (load_[static_cast<std::size_t>(a) * n_span_ + k] + 1 > need_[k]) return true;
    return false;
  }
  const std::vector<long long>& spare() const { return need_; }
  long long load(int a, int e) const {
    return load_[static_cast<std::size_t>(a) * n_span_ + static_cast<std::size_t>(e)];
  }

 private:
  std::size_t n_span_;
  std::vector<long long> load_;
  std::vector<long long> need_;
  const std::vector<long long>& kept_;
};

class BackupPlanner {
 public:
  BackupPlanner(const BackupStudy& study, const PlanOptions& options, BackupDesign& design);
  ~BackupPlanner() { stop_shaking(); }
  BackupPlanner(const BackupPlanner&) = delete;
  BackupPlanner& operator=(const BackupPlanner&) = delete;
  void run();
  // The steps apart: the volume ascent alone from zero prices (no linear
  // program) for `steps` steps, its average rounded and improved; the local
  // search alone from these backups (one per path, as a design has them).
  void run_ascent(int steps);
  void run_improve(const std::vector<std::vector<int>>& backups);

 private:
  void make_groups();
  void make_program();
  int add_route(Group& g, const std::vector<int>& spans);
  // The row of activation a on span e, over the routes so far.
  void add_row(int a, int e);
  // The rows the loads need in full: on each span, the activations whose
  // backups take all of its spare above the kept.
  void add_binding_rows(const Loads& loads);
  // The rows the linear solution `values` violates; how many were added.
  std::size_t add_violated_rows(const std::vector<double>& values);
  lpsolve::LinearModel search_model() const;
  void search_routes();
  Loads loads_of(const Backups& backups) const;
  Backups backups_of(const Choice& choice) const;
  // The least spare one more backup of `g` adds over the loads, and its route.
  // A span `avoid` (unless -1) as dear as all the others together.
  std::vector<int> cheapest_addition(const Group& g, const Loads& loads, long long& added, int avoid = -1) const;
  long long added_by(const Group& g, const Loads& loads, const std::vector<int>& spans) const;
  // Each path in turn takes the route that adds the least spare over the
  // others' backups, while that lowers the cost, until `until` says stop.
  void improve(Backups& backups, const std::function<bool()>& until) const;
  Backups first_backups(const std::function<bool()>& until);
  // Local search beyond improve's reach, from the best plan: the backups
  // over one span with planned spare, taken at random (from `seed`), move
  // off it, and the plan improves from there; kept when it costs no more.
  // It goes on from a better plan offered meanwhile.
  void shake(const std::function<bool()>& until, unsigned seed);
  // The local search on a thread of its own, beside the linear program's
  // solves (which take one core), from the first plan until stopped; it
  // waits while paused (while the ascent prices on every core).
  void start_shaking();
  void stop_shaking();
  // Keeps the backups when they cost less than the plan in hand (from
  // either thread).
  void offer(const Backups& backups);
  Backups best() const;
  long long best_cost() const;
  void raise_bound(double bound) {
    bound_ = std::max(bound_, bound);
    whole_bound_ = whole_bound(bound_);
  }
  void tick();
  using Found = std::pair<std::size_t, std::vector<int>>;  // a group and a route priced in
  // The Lagrangian bound at these prices (per row of the program), and the
  // routes they price in.
  double lagrangian(const std::vector<double>& duals, std::vector<Found>& found) const;
  // Per activation and span (as row_of_): the price of its row, 0 where none.
  std::vector<double> multipliers(const std::vector<double>& duals) const;
  struct Priced {
    double bound = 0;
    std::vector<std::vector<int>> routes;  // per group: its least-priced route
    std::vector<double> price;             // per group: that route's price
  };
  Priced price_at(const std::vector<double>& pi) const;
  void ascend(std::vector<double> pi, double until, int steps = std::numeric_limits<int>::max());
  // The routes of the average join the program's.
  std::vector<double> averaged_values();
  void price_routes(double until);
  Choice rounded(const std::vector<double>& values);
  void write_design();

  const BackupStudy& study_;
  const Network& net_;
  BackupDesign& design_;
  PlanSearch search_;
  const RunClock& clock_;
  SpanNetwork span_net_;
  RouteFinder routes_;
  ScenarioHits hits_;
  std::vector<Group> groups_;
  std::vector<int> free_paths_;  // the paths no scenario affects
  int n_act_ = 0;
  std::vector<std::vector<int>> groups_of_act_;  // per activation: the groups whose backups it activates
  // Per activation and span (a * spans + e): its row; kAbsent while the
  // program does without it, kNever where the activation's scenario fails e.
  static constexpr int kAbsent = -1, kNever = -2;
  std::vector<int> row_of_;
  std::vector<std::pair<int, int>> rows_;  // per row beyond the groups': (activation, span)
  long long n_backups_ = 0;
  long long total_cost_ = 0;  // of one channel on every span
  double tie_break_ = 0;      // per unit of a span's cost, below any whole cost over a route
  std::unique_ptr<lpsolve::ColumnLp> lp_;
  std::vector<std::pair<int, int>> column_route_;  // per column beyond the spans': (group, route)
  // The best plan and its cost (design_.cost), and the progress shown,
  // under the lock: the local search's thread offers plans too.
  mutable std::mutex mutex_;
  Backups best_;
  std::thread shaker_;
  std::atomic<bool> stop_shaking_{false}, pause_shaking_{false};
  std::atomic<long long> whole_bound_{0};  // the best bound, rounded up
  // What the pricing proved.
  bool priced_ = false, converged_ = false;
  std::vector<double> last_values_;  // the last linear solution, once one was solved
  std::vector<double> center_;       // the row prices of the best bound
  // Per group: the volume algorithm's average, its routes (as spans) with
  // their weights.
  std::vector<std::vector<std::pair<std::vector<int>, double>>> average_;
  double bound_ = 0;
  double lp_seconds_ = 0;
  // The threads that price the groups' routes: the machine's cores, at most
  // a few (the shortest route problems are small).
  std::size_t pricing_workers_ = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
};

BackupPlanner::BackupPlanner(const BackupStudy& study, const PlanOptions& options, BackupDesign& design)
    : study_(study),
      net_(*study.net),
      design_(design),
      search_(options, design),
      clock_(search_.clock()),
      span_net_([&] {
        SpanNetwork s;
        s.n_node = study.net->n_node;
        for (std::size_t k = 0; k < study.net->spans.size(); ++k)
          s.spans.push_back({study.net->spans[k].from, study.net->spans[k].to, study.cost[k],
                             study.net->spans[k].working, study.kept[k]});
        return s;
      }()),
      routes_(span_net_),
      hits_(scenario_hits(study)) {
  for (long long c : study.cost) total_cost_ += std::max(0LL, c);
  tie_break_ = 0.5 / (1.0 + static_cast<double>(total_cost_));
}

void BackupPlanner::make_groups() {
  const std::size_t n_span = net_.spans.size();
  // Spans that join the same two nodes: a backup stepping between them
  // takes the cheapest that no scenario affecting its path fails.
  std::map<std::pair<int, int>, std::vector<int>> between;
  for (std::size_t k = 0; k < n_span; ++k)
    between[std::minmax(net_.spans[k].from, net_.spans[k].to)].push_back(static_cast<int>(k));
  std::map<std::tuple<int, int, std::vector<int>>, std::size_t> index;
  std::vector<Group> all;
  for (std::size_t q = 0; q < study_.paths->paths.size(); ++q) {
    const WorkingPath& path = study_.paths->paths[q];
    if (hits_.affecting[q].empty()) {
      free_paths_.push_back(static_cast<int>(q));
      continue;
    }
    const auto [from, to] = std::minmax(path.nodes.front(), path.nodes.back());
    const auto key = std::make_tuple(from, to, hits_.affecting[q]);
    auto it = index.find(key);
    if (it == index.end()) {
      it = index.emplace(key, all.size()).first;
      Group g;
      g.from = from;
      g.to = to;
      g.scenarios = hits_.affecting[q];
      all.push_back(std::move(g));
    }
    all[it->second].paths.push_back(static_cast<int>(q));
  }
  std::vector<int> act_of(study_.scenarios->size(), -1);
  for (Group& g : all) {
    g.banned_nodes.assign(static_cast<std::size_t>(net_.n_node) + 1, 0);
    g.banned_spans.assign(n_span, 0);
    for (int s : g.scenarios) {
      for (int k : hits_.failed_spans[static_cast<std::size_t>(s)]) g.banned_spans[static_cast<std::size_t>(k)] = 1;
      for (int v : hits_.failed_nodes[static_cast<std::size_t>(s)]) g.banned_nodes[static_cast<std::size_t>(v)] = 1;
    }
    for (const auto& [ends, spans] : between) {
      if (spans.size() < 2) continue;
      int kept = -1;
      for (int k : spans)
        if (!g.banned_spans[static_cast<std::size_t>(k)] &&
            (kept < 0 || study_.cost[static_cast<std::size_t>(k)] < study_.cost[static_cast<std::size_t>(kept)]))
          kept = k;
      for (int k : spans)
        if (k != kept) g.banned_spans[static_cast<std::size_t>(k)] = 1;
    }
    if (routes_.cheapest(g.from, g.to, g.banned_nodes, g.banned_spans).empty()) {
      design_.unprotected.insert(design_.unprotected.end(), g.paths.begin(), g.paths.end());
      continue;
    }
    if (study_.dedicated) {
      g.acts = {0};
      n_act_ = 1;
    } else {
      for (int s : g.scenarios) {
        int& a = act_of[static_cast<std::size_t>(s)];
        if (a < 0) a = n_act_++;
        g.acts.push_back(a);
      }
    }
    n_backups_ += static_cast<long long>(g.paths.size());
    groups_.push_back(std::move(g));
  }
  std::sort(design_.unprotected.begin(), design_.unprotected.end());
  // Under shared protection, activation a's rows are those of the spans its
  // scenario leaves.
  const std::size_t n_act = static_cast<std::size_t>(n_act_);
  row_of_.assign(n_act * n_span, kAbsent);
  if (!study_.dedicated)
    for (std::size_t s = 0; s < act_of.size(); ++s)
      if (act_of[s] >= 0)
        for (int k : hits_.failed_spans[s])
          row_of_[static_cast<std::size_t>(act_of[s]) * n_span + static_cast<std::size_t>(k)] = kNever;
  groups_of_act_.resize(n_act);
  for (std::size_t gi = 0; gi < groups_.size(); ++gi)
    for (int a : groups_[gi].acts) groups_of_act_[static_cast<std::size_t>(a)].push_back(static_cast<int>(gi));
}

// The program: per span e, s_e whole spare channels above its kept spare, at
// its cost; per group, whole numbers of its paths on each of its routes,
// adding up to its paths (group g's row is row g); per activation a and span
// e, s_e + kept_e at least the backups that a brings onto e. Of these last,
// most hold with room to spare: they join the program as they are found
// violated, so that it keeps only the few that bind (a solution within the
// rows present is a plan only when it breaks none of the others).
void BackupPlanner::make_program() {
  lp_ = std::make_unique<lpsolve::ColumnLp>(std::vector<double>(), std::vector<double>());
  // Measured on a 100-node network: a quarter less time per round.
  lp_->perturb_from_start();
  for (const Group& g : groups_) {
    const double n = static_cast<double>(g.paths.size());
    lp_->add_row(n, n, {}, {});
  }
  for (std::size_t e = 0; e < net_.spans.size(); ++e)
    lp_->add_column(static_cast<double>(study_.cost[e]), 0, LinearModel::kInfinity, {}, {});
}

void BackupPlanner::add_row(int a, int e) {
  const std::size_t n_span = net_.spans.size();
  int& row = row_of_[static_cast<std::size_t>(a) * n_span + static_cast<std::size_t>(e)];
  if (row != kAbsent) return;
  std::vector<int> columns{e};
  std::vector<double> values{1};
  for (int gi : groups_of_act_[static_cast<std::size_t>(a)]) {
    const Group& g = groups_[static_cast<std::size_t>(gi)];
    for (std::size_t r = 0; r < g.routes.size(); ++r)
      if (std::find(g.routes[r].begin(), g.routes[r].end(), e) != g.routes[r].end()) {
        columns.push_back(g.columns[r]);
        values.push_back(-1);
      }
  }
  row = lp_->add_row(-static_cast<double>(study_.kept[static_cast<std::size_t>(e)]), LinearModel::kInfinity, columns,
                     values);
  rows_.emplace_back(a, e);
}

void BackupPlanner::add_binding_rows(const Loads& loads) {
  for (int e = 0; e < static_cast<int>(net_.spans.size()); ++e) {
    const long long spare = loads.spare()[static_cast<std::size_t>(e)];
    if (spare == 0) continue;
    for (int a = 0; a < n_act_; ++a)
      if (loads.load(a, e) == spare) add_row(a, e);
  }
}

std::size_t BackupPlanner::add_violated_rows(const std::vector<double>& values) {
  const std::size_t n_span = net_.spans.size();
  std::vector<double> load(row_of_.size(), 0.0);
  for (const Group& g : groups_)
    for (std::size_t r = 0; r < g.routes.size(); ++r) {
      const double x = values[static_cast<std::size_t>(g.columns[r])];
      if (x <= 1e-9) continue;
      for (int a : g.acts)
        for (int e : g.routes[r]) load[static_cast<std::size_t>(a) * n_span + static_cast<std::size_t>(e)] += x;
    }
  std::size_t added = 0;
  for (std::size_t i = 0; i < load.size(); ++i) {
    const std::size_t e = i % n_span;
    if (row_of_[i] == kAbsent &&
        load[i] > values[e] + static_cast<double>(study_.kept[e]) + 1e-6 * std::max(1.0, load[i])) {
      add_row(static_cast<int>(i / n_span), static_cast<int>(e));
      ++added;
    }
  }
  return added;
}

int BackupPlanner::add_route(Group& g, const std::vector<int>& spans) {
  const auto it = std::find(g.routes.begin(), g.routes.end(), spans);
  if (it != g.routes.end()) return static_cast<int>(it - g.routes.begin());
  const std::size_t n_span = net_.spans.size();
  const int gi = static_cast<int>(&g - groups_.data());
  std::vector<int> rows{gi};
  std::vector<double> values{1};
  for (int a : g.acts)
    for (int e : spans) {
      const int r = row_of_[static_cast<std::size_t>(a) * n_span + static_cast<std::size_t>(e)];
      if (r < 0) continue;
      rows.push_back(r);
      values.push_back(-1);
    }
  // No upper bound: the group's row keeps it, and a bound would let a route
  // on it price below its row's price at the optimum.
  const int c = lp_->add_column(0, 0, LinearModel::kInfinity, rows, values);
  column_route_.emplace_back(gi, static_cast<int>(g.routes.size()));
  g.routes.push_back(spans);
  g.columns.push_back(c);
  return static_cast<int>(g.routes.size()) - 1;
}

// The integer program of the rows and routes the linear program holds.
LinearModel BackupPlanner::search_model() const {
  LinearModel model;
  const std::size_t n_span = net_.spans.size();
  for (const Group& g : groups_) {
    const double n = static_cast<double>(g.paths.size());
    model.add_row(n, n);
  }
  for (const auto& [a, e] : rows_)
    model.add_row(-static_cast<double>(study_.kept[static_cast<std::size_t>(e)]), LinearModel::kInfinity);
  for (std::size_t e = 0; e < n_span; ++e)
    model.add_column(static_cast<double>(study_.cost[e]), 0, LinearModel::kInfinity, true);
  for (std::size_t i = 0; i < rows_.size(); ++i)
    model.add_entry(static_cast<int>(groups_.size() + i), rows_[i].second, 1);
  for (const auto& [gi, r] : column_route_) {
    const Group& g = groups_[static_cast<std::size_t>(gi)];
    const int c = model.add_column(0, 0, static_cast<double>(g.paths.size()), true);
    model.add_entry(gi, c, 1);
    for (int a : g.acts)
      for (int e : g.routes[static_cast<std::size_t>(r)]) {
        const int row = row_of_[static_cast<std::size_t>(a) * n_span + static_cast<std::size_t>(e)];
        if (row >= 0) model.add_entry(row, c, -1);
      }
  }
  return model;
}

Loads BackupPlanner::loads_of(const Backups& backups) const {
  Loads loads(n_act_, study_.kept);
  for (std::size_t g = 0; g < groups_.size(); ++g)
    for (const std::vector<int>& spans : backups[g]) loads.add(groups_[g].acts, spans, 1);
  return loads;
}

Backups BackupPlanner::backups_of(const Choice& choice) const {
  Backups out(groups_.size());
  for (std::size_t g = 0; g < groups_.size(); ++g)
    for (int r : choice[g]) out[g].push_back(groups_[g].routes[static_cast<std::size_t>(r)]);
  return out;
}

long long BackupPlanner::added_by(const Group& g, const Loads& loads, const std::vector<int>& spans) const {
  long long added = 0;
  for (int e : spans)
    if (loads.adds(g.acts, e)) added += study_.cost[static_cast<std::size_t>(e)];
  return added;
}

std::vector<int> BackupPlanner::cheapest_addition(const Group& g, const Loads& loads, long long& added,
                                                  int avoid) const {
  std::vector<double> length(net_.spans.size(), 0.0);
  for (std::size_t e = 0; e < length.size(); ++e) {
    if (g.banned_spans[e]) continue;
    const double cost = static_cast<double>(study_.cost[e]);
    length[e] = (loads.adds(g.acts, static_cast<int>(e)) ? cost : 0.0) + tie_break_ * cost;
  }
  if (avoid >= 0) length[static_cast<std::size_t>(avoid)] = 1 + static_cast<double>(total_cost_);
  std::vector<int> spans = routes_.cheapest(g.from, g.to, g.banned_nodes, g.banned_spans, length);
  added = added_by(g, loads, spans);
  return spans;
}

void BackupPlanner::improve(Backups& backups, const std::function<bool()>& until) const {
  Loads loads = loads_of(backups);
  for (bool better = true; better;) {
    better = false;
    for (std::size_t gi = 0; gi < groups_.size(); ++gi) {
      if (until()) return;
      const Group& g = groups_[gi];
      for (std::vector<int>& spans : backups[gi]) {
        loads.add(g.acts, spans, -1);
        const long long now = added_by(g, loads, spans);
        long long added = 0;
        std::vector<int> cheaper = cheapest_addition(g, loads, added);
        if (added < now) {
          spans = std::move(cheaper);
          better = true;
        }
        loads.add(g.acts, spans, 1);
      }
    }
  }
}

void BackupPlanner::shake(const std::function<bool()>& until, unsigned seed) {
  std::mt19937 rng(seed);  // the same moves on every run
  Backups current = best();
  long long current_cost = added_cost(study_, loads_of(current).spare());
  const std::size_t n_span = net_.spans.size();
  // It ends once the plan meets the bound, or after as many moves in a row
  // as twice the spans, and some, without a cheaper plan.
  const int tries = 2 * static_cast<int>(n_span) + 20;
  for (int idle = 0; idle < tries && best_cost() > whole_bound_ && !until(); ++idle) {
    if (best_cost() < current_cost) {  // found meanwhile on the other thread
      current = best();
      current_cost = best_cost();
    }
    Backups trial = current;
    Loads loads = loads_of(trial);
    std::vector<int> planned;
    for (std::size_t e = 0; e < n_span; ++e)
      if (loads.spare()[e] > study_.kept[e]) planned.push_back(static_cast<int>(e));
    if (planned.empty()) return;
    const int off = planned[rng() % planned.size()];
    for (std::size_t gi = 0; gi < groups_.size(); ++gi) {
      const Group& g = groups_[gi];
      for (std::vector<int>& spans : trial[gi]) {
        if (std::find(spans.begin(), spans.end(), off) == spans.end()) continue;
        loads.add(g.acts, spans, -1);
        long long added = 0;
        spans = cheapest_addition(g, loads, added, off);
        loads.add(g.acts, spans, 1);
      }
    }
    improve(trial, until);
    const long long cost = added_cost(study_, loads_of(trial).spare());
    if (cost < best_cost()) idle = -1;
    if (cost <= current_cost) {
      current = std::move(trial);
      current_cost = cost;
      offer(current);
    }
  }
}

void BackupPlanner::start_shaking() {
  stop_shaking_ = false;
  shaker_ = std::thread([this] {
    // Rounds of the search, each until it idles, while not stopped; paused
    // while the ascent needs the cores.
    for (unsigned round = 1; !stop_shaking_ && best_cost() > whole_bound_; ++round) {
      while (pause_shaking_ && !stop_shaking_) std::this_thread::sleep_for(std::chrono::milliseconds(20));
      const long long before = best_cost();
      shake([this] { return stop_shaking_ || pause_shaking_; }, 1000 + round);
      if (!pause_shaking_ && best_cost() == before) break;
    }
  });
}

void BackupPlanner::stop_shaking() {
  stop_shaking_ = true;
  if (shaker_.joinable()) shaker_.join();
}

Backups BackupPlanner::first_backups(const std::function<bool()>& until) {
  Backups backups(groups_.size());
  Loads loads(n_act_, study_.kept);
  for (std::size_t gi = 0; gi < groups_.size(); ++gi) {
    Group& g = groups_[gi];
    // Also the cheapest route, a column for the linear program.
    add_route(g, routes_.cheapest(g.from, g.to, g.banned_nodes, g.banned_spans));
    for (std::size_t i = 0; i < g.paths.size(); ++i) {
      long long added = 0;
      backups[gi].push_back(cheapest_addition(g, loads, added));
      loads.add(g.acts, backups[gi].back(), 1);
    }
  }
  improve(backups, until);
  // Its routes are columns too.
  for (std::size_t gi = 0; gi < groups_.size(); ++gi)
    for (const std::vector<int>& spans : backups[gi]) add_route(groups_[gi], spans);
  return backups;
}

void BackupPlanner::offer(const Backups& backups) {
  const long long cost = added_cost(study_, loads_of(backups).spare());
  const std::lock_guard<std::mutex> lock(mutex_);
  if (best_.empty() || cost < design_.cost) {
    best_ = backups;
    design_.cost = cost;
    search_.progress().plan(cost, std::min(design_.lower_bound, cost));
  }
}

Backups BackupPlanner::best() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return best_;
}

long long BackupPlanner::best_cost() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return design_.cost;
}

void BackupPlanner::tick() {
  const std::lock_guard<std::mutex> lock(mutex_);
  search_.progress().tick();
}

// Column generation: the linear program over the routes so far, then, per
// group, the route least priced by its rows' prices (a span costs what the
// rows of the group's activations on it charge) joins when it costs less
// than the group's own row price. Any prices give a bound by Lagrangian
// relaxation of the spare rows, whatever routes and rows the program holds
// (a row not present prices nothing): the kept spare at the row prices
// taken away, each group's paths on their least-priced routes, and each
// span's spare (at most one channel per backup) where the prices charge
// more than its cost. Once no route is priced in and no row is broken, that
// bound is the program's optimum over every route. The routes are priced at
// the prices halfway between the program's and those of the best bound so
// far (smoothing, which saves rounds), at the program's own when those
// price in nothing.
// Rows added after the solve that gave `duals` have no price in them: they
// price nothing (any prices of at least 0 bound).
std::vector<double> BackupPlanner::multipliers(const std::vector<double>& duals) const {
  std::vector<double> pi(row_of_.size(), 0.0);
  for (std::size_t i = 0; i < row_of_.size(); ++i)
    if (row_of_[i] >= 0 && static_cast<std::size_t>(row_of_[i]) < duals.size())
      pi[i] = std::max(0.0, duals[static_cast<std::size_t>(row_of_[i])]);
  return pi;
}

BackupPlanner::Priced BackupPlanner::price_at(const std::vector<double>& pi) const {
  const std::size_t n_span = net_.spans.size();
  const double most_spare = static_cast<double>(n_backups_);
  Priced out;
  for (std::size_t e = 0; e < n_span; ++e) {
    double charged = 0;
    for (std::size_t a = 0; a < static_cast<std::size_t>(n_act_); ++a) charged += pi[a * n_span + e];
    out.bound -= charged * static_cast<double>(study_.kept[e]);
    out.bound += most_spare * std::min(0.0, static_cast<double>(study_.cost[e]) - charged);
  }
  // Each group's least-priced route is its own shortest route problem: the
  // groups are shared out among the workers in fixed slices, and the bound
  // summed in group order after, so that it is the same for any number.
  out.routes.resize(groups_.size());
  out.price.resize(groups_.size());
  const auto price_slice = [&](std::size_t first, std::size_t last) {
    std::vector<double> length(n_span, 0.0);
    for (std::size_t gi = first; gi < last; ++gi) {
      const Group& g = groups_[gi];
      for (std::size_t e = 0; e < n_span; ++e) {
        length[e] = 0;
        if (g.banned_spans[e]) continue;
        for (int a : g.acts) length[e] += pi[static_cast<std::size_t>(a) * n_span + e];
      }
      out.routes[gi] = routes_.cheapest(g.from, g.to, g.banned_nodes, g.banned_spans, length);
      double priced = 0;
      for (int e : out.routes[gi]) priced += length[static_cast<std::size_t>(e)];
      out.price[gi] = priced;
    }
  };
  const std::size_t workers = std::min<std::size_t>(pricing_workers_, std::max<std::size_t>(1, groups_.size() / 64));
  std::vector<std::thread> helpers;
  for (std::size_t w = 1; w < workers; ++w)
    helpers.emplace_back(price_slice, groups_.size() * w / workers, groups_.size() * (w + 1) / workers);
  price_slice(0, groups_.size() / workers);
  for (std::thread& t : helpers) t.join();
  for (std::size_t gi = 0; gi < groups_.size(); ++gi)
    out.bound += static_cast<double>(groups_[gi].paths.size()) * out.price[gi];
  return out;
}

double BackupPlanner::lagrangian(const std::vector<double>& duals, std::vector<Found>& found) const {
  Priced p = price_at(multipliers(duals));
  found.clear();
  for (std::size_t gi = 0; gi < groups_.size(); ++gi) {
    const double own = duals[gi];
    if (p.price[gi] < own - kPriceTolerance * std::max(1.0, std::fabs(own)))
      found.emplace_back(gi, std::move(p.routes[gi]));
  }
  return p.bound;
}

// The volume algorithm's ascent of the Lagrangian bound over every spare
// row (present in the program or not), from `pi`: each step moves from the
// prices of the best bound so far along the loads that a running average of
// the least-priced routes brings beyond the kept spare (the average damps
// the zigzag of the plain subgradient, and it is itself a near solution of
// the linear program, rounded afterwards into a plan), by Polyak's step
// toward the cost of the plan in hand, scaled by a factor that grows while
// the steps improve the bound in the direction taken and shrinks after a run
// without improvement. Each span's multipliers stay at most its cost in all
// (a projection onto the capped simplex), so that its spare never pays.
// Every step's bound is a bound.
void BackupPlanner::ascend(std::vector<double> pi, double until, int steps) {
  const std::size_t n_span = net_.spans.size();
  const auto project = [&](std::vector<double>& x) {
    for (std::size_t e = 0; e < n_span; ++e) {
      const double cap = static_cast<double>(study_.cost[e]);
      std::vector<double> v;
      double sum = 0;
      for (std::size_t a = 0; a < static_cast<std::size_t>(n_act_); ++a) {
        double& m = x[a * n_span + e];
        m = row_of_[a * n_span + e] == kNever ? 0.0 : std::max(0.0, m);
        sum += m;
        if (m > 0) v.push_back(m);
      }
      if (sum <= cap) continue;
      const double t = capped_simplex_threshold(v, cap);
      for (std::size_t a = 0; a < static_cast<std::size_t>(n_act_); ++a) {
        double& m = x[a * n_span + e];
        m = std::max(0.0, m - t);
      }
    }
  };
  // The subgradient of a pricing's routes: per activation and span, the
  // backups its routes bring there beyond the kept spare.
  const auto subgradient = [&](const Priced& p, std::vector<double>& g) {
    for (std::size_t i = 0; i < g.size(); ++i)
      g[i] = row_of_[i] == kNever ? 0.0 : -static_cast<double>(study_.kept[i % n_span]);
    for (std::size_t gi = 0; gi < groups_.size(); ++gi)
      for (int a : groups_[gi].acts)
        for (int e : p.routes[gi])
          g[static_cast<std::size_t>(a) * n_span + static_cast<std::size_t>(e)] +=
              static_cast<double>(groups_[gi].paths.size());
  };
  // The running average of the routes, per group: routes whose weight
  // falls below a thousandth of a path are dropped (their share of the
  // average is lost to rounding anyway), so that it keeps a few per group.
  const auto average_in = [&](const Priced& p, double weight) {
    average_.resize(groups_.size());
    for (std::size_t gi = 0; gi < groups_.size(); ++gi) {
      auto& routes = average_[gi];
      bool found = false;
      for (auto& [spans, w] : routes) {
        w *= 1 - weight;
        if (spans == p.routes[gi]) {
          w += weight * static_cast<double>(groups_[gi].paths.size());
          found = true;
        }
      }
      if (!found) routes.emplace_back(p.routes[gi], weight * static_cast<double>(groups_[gi].paths.size()));
      std::erase_if(routes, [](const auto& route) { return route.second < 1e-3; });
    }
  };
  constexpr double kAveraging = 0.1;  // the weight of each new pricing in the average
  constexpr int kRedRun = 20;         // steps without improvement before the factor shrinks
  project(pi);
  Priced p = price_at(pi);
  raise_bound(p.bound);
  std::vector<double> center = pi, mean(pi.size()), now(pi.size());
  double center_bound = p.bound;
  subgradient(p, mean);
  average_.clear();
  average_in(p, 1.0);
  double factor = 0.1;
  int reds = 0;
  // It ends once the bound levels off: less than a ten-thousandth gained
  // over the last kLevel steps.
  constexpr int kLevel = 300;
  double level_bound = center_bound;
  for (int step = 0; step < steps && clock_.elapsed() < until && factor > 1e-6; ++step) {
    if (step > 0 && step % kLevel == 0) {
      if (center_bound - level_bound < 1e-4 * std::fabs(center_bound)) break;
      level_bound = center_bound;
    }
    // The plan's cost under the lock: the local search may be offering one.
    const double gap = static_cast<double>(best_cost()) - center_bound;
    if (gap <= 0) return;
    double norm = 0;
    for (std::size_t i = 0; i < mean.size(); ++i)
      if (center[i] > 0 || mean[i] > 0) norm += mean[i] * mean[i];
    if (norm <= 0) return;
    for (std::size_t i = 0; i < pi.size(); ++i) pi[i] = center[i] + factor * gap / norm * mean[i];
    project(pi);
    p = price_at(pi);
    tick();
    subgradient(p, now);
    double along = 0;  // whether the new subgradient still points the way taken
    for (std::size_t i = 0; i < mean.size(); ++i) along += mean[i] * now[i];
    for (std::size_t i = 0; i < mean.size(); ++i) mean[i] = kAveraging * now[i] + (1 - kAveraging) * mean[i];
    average_in(p, kAveraging);
    if (p.bound > center_bound) {
      center.swap(pi);
      center_bound = p.bound;
      raise_bound(p.bound);
      reds = 0;
      if (along >= 0) factor = std::min(2.0, factor * 1.1);
    } else if (++reds >= kRedRun) {
      factor *= 0.66;
      reds = 0;
    }
  }
}

// The average of the volume algorithm's routes as values of the program's
// columns, for rounding.
std::vector<double> BackupPlanner::averaged_values() {
  std::vector<std::pair<int, double>> weights;  // per column
  for (std::size_t gi = 0; gi < average_.size(); ++gi)
    for (const auto& [spans, w] : average_[gi]) {
      Group& g = groups_[gi];
      weights.emplace_back(g.columns[static_cast<std::size_t>(add_route(g, spans))], w);
    }
  std::vector<double> values(static_cast<std::size_t>(lp_->columns()), 0.0);
  for (const auto& [c, w] : weights) values[static_cast<std::size_t>(c)] += w;
  return values;
}

void BackupPlanner::price_routes(double until) {
  constexpr double kSmoothing = 0.5;
  std::vector<double>& center = center_;  // the prices of the best bound
  std::vector<Found> found;
  // After rows alone joined, the last basis is still dual feasible: the
  // dual simplex mends the rows it breaks in a few pivots, where the primal
  // simplex, handed rows and columns at once, would start over. So the rows
  // join first, until the solution breaks none, and only then the routes.
  bool rows_only = false, slow = false;
  while (clock_.elapsed() < until) {
    const double start = clock_.elapsed();
    const bool solved = lp_->solve(until - start, rows_only ? lpsolve::ColumnLp::Simplex::dual : lpsolve::ColumnLp::Simplex::primal);
    lp_seconds_ += clock_.elapsed() - start;
    // A solve with new routes is followed by longer ones (the program only
    // grows): once the next would not end in the pricing's time, the ascent
    // makes better use of it, from this solve's prices.
    slow = slow || (!rows_only && kSlowSolve * (clock_.elapsed() - start) > until - clock_.elapsed());
    tick();
    if (!solved) return;
    last_values_ = lp_->values();
    const std::vector<double> duals = lp_->row_duals();
    if (duals.size() != static_cast<std::size_t>(lp_->rows())) return;
    rows_only = add_violated_rows(last_values_) > 0;
    if (rows_only && priced_) continue;
    // Rows added since the center priced nothing there.
    std::vector<double> smoothed = duals;
    if (!center.empty())
      for (std::size_t r = 0; r < duals.size(); ++r)
        smoothed[r] = kSmoothing * (r < center.size() ? center[r] : 0.0) + (1 - kSmoothing) * duals[r];
    // Both prices bound; the smoothed ones price in, unless they find nothing.
    std::vector<Found> plain;
    const double at_duals = lagrangian(duals, plain);
    const double at_smoothed = center.empty() ? at_duals : lagrangian(smoothed, found);
    if (center.empty() || found.empty()) found.swap(plain);
    if (!priced_ || std::max(at_duals, at_smoothed) > bound_) {
      bound_ = std::max(at_duals, at_smoothed);
      whole_bound_ = whole_bound(bound_);
      center = at_duals >= at_smoothed ? duals : smoothed;
    }
    priced_ = true;
    if (rows_only) continue;
    std::size_t added = 0;
    for (auto& [gi, spans] : found) {
      const std::size_t before = groups_[gi].routes.size();
      add_route(groups_[gi], spans);
      added += groups_[gi].routes.size() - before;
    }
    if (added == 0) {
      converged_ = true;
      return;
    }
    if (slow) return;
  }
}

// Each group's paths over its routes as the linear program has them: the
// whole parts, then the largest fractions.
Choice BackupPlanner::rounded(const std::vector<double>& values) {
  Choice choice(groups_.size());
  for (std::size_t gi = 0; gi < groups_.size(); ++gi) {
    const Group& g = groups_[gi];
    std::vector<std::pair<double, int>> fractions;
    for (std::size_t r = 0; r < g.routes.size(); ++r) {
      // Routes priced in after the solution have none of it.
      const std::size_t c = static_cast<std::size_t>(g.columns[r]);
      const double v = c < values.size() ? std::max(0.0, values[c]) : 0.0;
      const double whole = std::floor(v + 1e-6);
      for (double n = 0; n < whole && choice[gi].size() < g.paths.size(); ++n)
        choice[gi].push_back(static_cast<int>(r));
      fractions.emplace_back(-(v - whole), static_cast<int>(r));
    }
    std::stable_sort(fractions.begin(), fractions.end());
    for (std::size_t i = 0; choice[gi].size() < g.paths.size(); ++i)
      choice[gi].push_back(fractions[i % fractions.size()].second);
  }
  return choice;
}

void BackupPlanner::write_design() {
  const auto& paths = study_.paths->paths;
  design_.backups.assign(paths.size(), {});
  const auto oriented = [&](std::size_t q, Route nodes) {
    if (nodes.front() != paths[q].nodes.front()) std::reverse(nodes.begin(), nodes.end());
    design_.backups[q] = std::move(nodes);
  };
  for (std::size_t gi = 0; gi < groups_.size(); ++gi) {
    const Group& g = groups_[gi];
    for (std::size_t i = 0; i < g.paths.size(); ++i)
      oriented(static_cast<std::size_t>(g.paths[i]),
               routes_.nodes_of(g.from, best_[gi][i]));
  }
  // A path no scenario affects needs no spare; its route avoids its own
  // spans and inner nodes where one does, else it is its own route.
  for (int q : free_paths_) {
    const WorkingPath& path = paths[static_cast<std::size_t>(q)];
    std::vector<char> banned_nodes(static_cast<std::size_t>(net_.n_node) + 1, 0), banned_spans(net_.spans.size(), 0);
    for (std::size_t j = 1; j + 1 < path.nodes.size(); ++j) banned_nodes[static_cast<std::size_t>(path.nodes[j])] = 1;
    for (int k : path.spans) banned_spans[static_cast<std::size_t>(k)] = 1;
    const std::vector<int> spans = routes_.cheapest(path.nodes.front(), path.nodes.back(), banned_nodes, banned_spans);
    oriented(static_cast<std::size_t>(q), spans.empty() ? path.nodes : routes_.nodes_of(path.nodes.front(), spans));
  }
  design_.spare = loads_of(best_).spare();
  design_.cost = added_cost(study_, design_.spare);
}

void BackupPlanner::run() {
  make_groups();
  make_program();
  if (groups_.empty()) {
    write_design();
    search_.grown_linear(0, true, 0, {});
    search_.finish();
    return;
  }
  // The first plan, before the linear program, in case the time runs out.
  const double first_until = clock_.elapsed() + 0.1 * clock_.search_left();
  offer(first_backups([&] { return clock_.elapsed() >= first_until; }));
  add_binding_rows(loads_of(best_));
  // On large networks the local search runs beside the linear program from
  // the first plan on (the program's solves take one core); below, the
  // program is solved out in moments and the plan stays the same run to run.
  if (groups_.size() >= study_.shake_alongside) start_shaking();

  // The pricing takes six tenths of the search's time; when it stopped
  // short, the ascent takes half of the rest (four fifths when the local
  // search has run beside the program), and the local search most of
  // what is left then: on large networks the search cannot start anyway
  // (it solves the program again at its root), and the bound is the
  // ascent's. Each near solution, the program's last and the ascent's
  // average, is rounded and improved, the first before the ascent, whose
  // steps aim at the plan's cost.
  const double pricing_until = clock_.elapsed() + kPricingShare * clock_.search_left();
  price_routes(pricing_until);
  const auto round_near = [&](const std::vector<double>& values) {
    Backups backups = backups_of(rounded(values));
    const double until = clock_.elapsed() + 0.2 * clock_.search_left();
    improve(backups, [&] { return clock_.elapsed() >= until; });
    offer(backups);
  };
  if (!last_values_.empty()) round_near(last_values_);
  if (priced_ && !converged_) {
    // The ascent prices on every core: the local search waits meanwhile.
    pause_shaking_ = true;
    ascend(multipliers(center_), clock_.elapsed() + (shaker_.joinable() ? kAscentShareAlongside : kAscentShare) * clock_.search_left());
    pause_shaking_ = false;
    round_near(averaged_values());
  }
  const double shake_until = clock_.elapsed() + kShakeShare * clock_.search_left();
  shake([&] { return clock_.elapsed() >= shake_until; }, 1);
  stop_shaking();
  if (priced_) {
    search_.grown_linear(bound_, converged_, lp_seconds_, {});
    if (!search_.clock().search_over()) search_routes();
    int routes = 0;
    for (const Group& g : groups_) routes += static_cast<int>(g.routes.size());
    if (!converged_)
      design_.note = text_printf(
          "the routes were priced in until the time limit or the solves grew slow: the lower bound is Lagrangian "
          "relaxation's (row prices, then the volume algorithm),"
          " the search's over the %d routes priced in",
          routes);
    else if (design_.note.empty())
      design_.note = text_printf(
          "the lower bound is the linear program's over every route; the plan is the least over"
          " the %d routes priced in",
          routes);
  } else {
    design_.note = "the linear program was not solved within the time limit: no lower bound";
  }
  write_design();
  search_.finish();
}

// CBC over the routes priced in and the rows the linear program holds,
// started from the plan in hand. Each solution is costed in full (its spare
// from its backups); should it break rows the program lacked, they join
// and the search starts again, while the time lasts.
void BackupPlanner::search_routes() {
  for (bool again = true, first = true; again; first = false) {
    again = false;
    // The best plan's routes (the local search's among them) are columns.
    Choice best(groups_.size());
    for (std::size_t gi = 0; gi < groups_.size(); ++gi)
      for (const std::vector<int>& spans : best_[gi]) best[gi].push_back(add_route(groups_[gi], spans));
    const LinearModel model = search_model();
    if (first) {
      // CBC solves the program from scratch at its root, beyond the reach of
      // its time limit: solved once here, within a third of the time left,
      // it tells how long that takes, or that the search has no time (its
      // optimum is no bound: the program lacks routes and rows).
      lpsolve::MipOptions options;
      options.seconds = clock_.search_left() / 3;
      options.relaxation_only = true;
      options.tick = [this] { tick(); };
      const double start = clock_.elapsed();
      const lpsolve::MipResult root = search_.solver()(model, options);
      if (root.failed) {
        design_.fault = root.error;
        return;
      }
      search_.grown_linear(bound_, converged_, root.optimal ? clock_.elapsed() - start : clock_.limit(), {});
    }
    std::vector<double> start(static_cast<std::size_t>(model.columns()), 0.0);
    const std::vector<long long> spare = loads_of(best_).spare();
    for (std::size_t e = 0; e < spare.size(); ++e) start[e] = static_cast<double>(spare[e] - study_.kept[e]);
    for (std::size_t gi = 0; gi < groups_.size(); ++gi)
      for (int r : best[gi]) start[static_cast<std::size_t>(groups_[gi].columns[static_cast<std::size_t>(r)])] += 1;
    search_.search(
        model, start,
        [&](const std::vector<double>& values) {
          Backups choice(groups_.size());
          for (std::size_t gi = 0; gi < groups_.size(); ++gi) {
            const Group& g = groups_[gi];
            for (std::size_t r = 0; r < g.routes.size(); ++r) {
              const long long n = std::llround(std::max(0.0, values[static_cast<std::size_t>(g.columns[r])]));
              for (long long i = 0; i < n; ++i) choice[gi].push_back(g.routes[r]);
            }
            if (choice[gi].size() != g.paths.size()) return;
          }
          const Loads loads = loads_of(choice);
          for (int a = 0; a < n_act_; ++a)
            for (int e = 0; e < static_cast<int>(net_.spans.size()); ++e)
              if (loads.load(a, e) >
                  std::llround(values[static_cast<std::size_t>(e)]) + study_.kept[static_cast<std::size_t>(e)]) {
                add_row(a, e);
                again = true;
              }
          // Into half the proof's reserve: the proof takes a pass over the paths per scenario.
          const double until = clock_.limit() - 0.5 * RunClock::proof_reserve(clock_.limit());
          improve(choice, [&] { return clock_.elapsed() >= until; });
          offer(choice);
        });
  }
}

}  // namespace

void BackupPlanner::run_ascent(int steps) {
  make_groups();
  make_program();
  if (!groups_.empty()) {
    offer(first_backups([] { return false; }));
    ascend(std::vector<double>(row_of_.size(), 0.0), std::numeric_limits<double>::infinity(), steps);
    Backups backups = backups_of(rounded(averaged_values()));
    improve(backups, [] { return false; });
    offer(backups);
  }
  search_.grown_linear(bound_, groups_.empty(), 0, {});
  write_design();
  search_.finish();
}

void BackupPlanner::run_improve(const std::vector<std::vector<int>>& backups) {
  make_groups();
  make_program();
  Backups choice(groups_.size());
  for (std::size_t gi = 0; gi < groups_.size(); ++gi) {
    const Group& g = groups_[gi];
    for (int q : g.paths) {
      Route nodes = backups[static_cast<std::size_t>(q)];
      if (!nodes.empty() && nodes.front() != g.from) std::reverse(nodes.begin(), nodes.end());
      std::vector<int> spans;
      for (std::size_t j = 0; j + 1 < nodes.size(); ++j)
        for (int k : net_.spans_at[static_cast<std::size_t>(nodes[j])]) {
          const studyfiles::Span& s = net_.spans[static_cast<std::size_t>(k)];
          if ((s.from == nodes[j] ? s.to : s.from) == nodes[j + 1] && !g.banned_spans[static_cast<std::size_t>(k)]) {
            spans.push_back(k);
            break;
          }
        }
      if (nodes.size() < 2 || spans.size() + 1 != nodes.size()) {
        design_.fault = Error::of(text_printf("path %d: no backup to start from", q + 1));
        return;
      }
      choice[gi].push_back(std::move(spans));
    }
  }
  // The search's plan as it ends, not the best of it and the start.
  improve(choice, [] { return false; });
  best_ = choice;
  write_design();
}

BackupDesign plan_backups(const BackupStudy& study, const PlanOptions& options) {
  BackupDesign design;
  BackupPlanner planner(study, options, design);
  planner.run();
  return design;
}

BackupDesign ascend_backups(const BackupStudy& study, const PlanOptions& options, int steps) {
  BackupDesign design;
  BackupPlanner planner(study, options, design);
  planner.run_ascent(steps);
  return design;
}

BackupDesign improve_backups(const BackupStudy& study, const PlanOptions& options,
                             const std::vector<std::vector<int>>& backups) {
  BackupDesign design;
  BackupPlanner planner(study, options, design);
  planner.run_improve(backups);
  return design;
}

namespace {

std::string scenario_text(const pathrestore::Scenario& s) {
  return std::string(pathrestore::kind_word(s.kind)) + " " + s.name;
}

// Whether some route joins `from` and `to` through no banned node or span.
bool joined(const Network& net, int from, int to, const std::vector<int>& banned_node,
            const std::vector<int>& banned_span) {
  std::vector<char> seen(static_cast<std::size_t>(net.n_node) + 1, 0);
  std::vector<int> stack{from};
  seen[static_cast<std::size_t>(from)] = 1;
  while (!stack.empty()) {
    const int v = stack.back();
    stack.pop_back();
    if (v == to) return true;
    for (int k : net.spans_at[static_cast<std::size_t>(v)]) {
      const studyfiles::Span& s = net.spans[static_cast<std::size_t>(k)];
      const int w = s.from == v ? s.to : s.from;
      if (banned_span[static_cast<std::size_t>(k)] >= 0 || seen[static_cast<std::size_t>(w)] ||
          (w != to && banned_node[static_cast<std::size_t>(w)] >= 0))
        continue;
      seen[static_cast<std::size_t>(w)] = 1;
      stack.push_back(w);
    }
  }
  return false;
}

}  // namespace

Error check_backups(const BackupStudy& study, const BackupDesign& design) {
  const Network& net = *study.net;
  const auto& paths = study.paths->paths;
  const auto& scenarios = *study.scenarios;
  const std::size_t n_span = net.spans.size();
  if (design.backups.size() != paths.size())
    return Error::of(text_printf("%zu backups for %zu paths", design.backups.size(), paths.size()));
  if (design.spare.size() != n_span)
    return Error::of(text_printf("spare for %zu spans of %zu", design.spare.size(), n_span));
  const ScenarioHits hits = scenario_hits(study);
  std::vector<char> unprotected(paths.size(), 0);
  for (int q : design.unprotected) {
    if (q < 0 || static_cast<std::size_t>(q) >= paths.size())
      return Error::of(text_printf("no path %d to leave unprotected", q + 1));
    unprotected[static_cast<std::size_t>(q)] = 1;
  }
  std::vector<std::vector<int>> crossed(paths.size());  // per path: the spans its backup crosses
  for (std::size_t q = 0; q < paths.size(); ++q) {
    const WorkingPath& path = paths[q];
    const std::string name =
        text_printf("path %zu (line %d, %s-%s)", q + 1, path.line, net.name_of(path.nodes.front()).c_str(),
                    net.name_of(path.nodes.back()).c_str());
    // Which scenario affecting the path fails each span and node (-1: none).
    std::vector<int> span_failed_by(n_span, -1), node_failed_by(static_cast<std::size_t>(net.n_node) + 1, -1);
    for (int s : hits.affecting[q]) {
      for (int k : hits.failed_spans[static_cast<std::size_t>(s)]) span_failed_by[static_cast<std::size_t>(k)] = s;
      for (int v : hits.failed_nodes[static_cast<std::size_t>(s)]) node_failed_by[static_cast<std::size_t>(v)] = s;
    }
    const std::vector<int>& backup = design.backups[q];
    if (unprotected[q]) {
      if (!backup.empty()) return Error::of(name + " is named unprotected but has a backup");
      if (joined(net, path.nodes.front(), path.nodes.back(), node_failed_by, span_failed_by))
        return Error::of(name + " is named unprotected, but a route survives every scenario that affects it");
      continue;
    }
    if (backup.size() < 2) return Error::of(name + " has no backup");
    if (backup.front() != path.nodes.front() || backup.back() != path.nodes.back())
      return Error::of(name + "'s backup does not join its ends");
    std::vector<char> seen(static_cast<std::size_t>(net.n_node) + 1, 0);
    for (int v : backup) {
      if (v < 1 || v > net.n_node)
        return Error::of(text_printf("%s's backup names node %d, not in the network", name.c_str(), v));
      if (seen[static_cast<std::size_t>(v)]) return Error::of(name + "'s backup visits " + net.name_of(v) + " twice");
      seen[static_cast<std::size_t>(v)] = 1;
      const int s = node_failed_by[static_cast<std::size_t>(v)];
      if (s >= 0)
        return Error::of(name + "'s backup passes " + net.name_of(v) + ", which " +
                         scenario_text(scenarios[static_cast<std::size_t>(s)]) + " fails");
    }
    for (std::size_t j = 0; j + 1 < backup.size(); ++j) {
      // Between two nodes, the cheapest span that no scenario affecting the
      // path fails, the lowest numbered of equals.
      const int u = backup[j], v = backup[j + 1];
      int best = -1, failed = -1;
      for (int k : net.spans_at[static_cast<std::size_t>(u)]) {
        const studyfiles::Span& s = net.spans[static_cast<std::size_t>(k)];
        if ((s.from == u ? s.to : s.from) != v) continue;
        if (span_failed_by[static_cast<std::size_t>(k)] >= 0) {
          failed = k;
          continue;
        }
        if (best < 0 || study.cost[static_cast<std::size_t>(k)] < study.cost[static_cast<std::size_t>(best)] ||
            (study.cost[static_cast<std::size_t>(k)] == study.cost[static_cast<std::size_t>(best)] && k < best))
          best = k;
      }
      if (best < 0 && failed < 0)
        return Error::of(name + "'s backup steps from " + net.name_of(u) + " to " + net.name_of(v) +
                         ", which no span joins");
      if (best < 0)
        return Error::of(text_printf(
            "%s's backup crosses span %d (%s), which %s fails", name.c_str(), failed + 1, net.span_ends(failed).c_str(),
            scenario_text(scenarios[static_cast<std::size_t>(span_failed_by[static_cast<std::size_t>(failed)])])
                .c_str()));
      crossed[q].push_back(best);
    }
  }
  for (std::size_t k = 0; k < n_span; ++k)
    if (design.spare[k] < study.kept[k])
      return Error::of(text_printf("span %zu (%s) has %lld spare, less than the %lld kept", k + 1,
                                   net.span_ends(static_cast<int>(k)).c_str(), design.spare[k], study.kept[k]));
  // The backups each scenario switches to (1+1: every backup of a path that
  // some scenario affects, at once), span by span.
  std::vector<std::vector<int>> activated;
  std::vector<std::string> what;
  if (study.dedicated) {
    activated.emplace_back();
    what.emplace_back("the backups");
    for (std::size_t q = 0; q < paths.size(); ++q)
      if (!unprotected[q] && !hits.affecting[q].empty()) activated.back().push_back(static_cast<int>(q));
  } else {
    activated.resize(scenarios.size());
    for (std::size_t s = 0; s < scenarios.size(); ++s)
      what.push_back("the backups " + scenario_text(scenarios[s]) + " activates");
    for (std::size_t q = 0; q < paths.size(); ++q)
      if (!unprotected[q])
        for (int s : hits.affecting[q]) activated[static_cast<std::size_t>(s)].push_back(static_cast<int>(q));
  }
  for (std::size_t a = 0; a < activated.size(); ++a) {
    std::vector<long long> load(n_span, 0);
    for (int q : activated[a])
      for (int k : crossed[static_cast<std::size_t>(q)]) ++load[static_cast<std::size_t>(k)];
    for (std::size_t k = 0; k < n_span; ++k)
      if (load[k] > design.spare[k])
        return Error::of(text_printf("%s need %lld spare on span %zu (%s), which has %lld", what[a].c_str(), load[k],
                                     k + 1, net.span_ends(static_cast<int>(k)).c_str(), design.spare[k]));
  }
  if (added_cost(study, design.spare) != design.cost)
    return Error::of(
        text_printf("the plan's cost is %lld, its spare's %lld", design.cost, added_cost(study, design.spare)));
  return {};
}

}  // namespace capplan

