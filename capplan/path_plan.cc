#include "path_plan.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <numeric>
#include <string>
#include <tuple>

#include "check.h"
#include "column_lp.h"
#include "every_core.h"
#include "linear_model.h"
#include "links.h"
#include "path_cuts.h"
#include "path_model.h"
#include "path_reroute.h"
#include "path_volume.h"
#include "plan_bounds.h"
#include "text_format.h"

namespace capplan {

using lpsolve::LinearModel;
using pathrestore::Links;
using pathrestore::Network;
using pathrestore::Pricing;
using pathrestore::ScenarioProblem;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
// A route prices in when its reduced cost is below this.
constexpr double kPriceTolerance = 1e-9;
// Column generation may take this share of the search's time; the rest is
// the integer plan's (its repair, trimming and search). On large networks
// the linear program is far from solved out when its share ends, and the
// search over the routes generated rarely finds a cheaper plan: the time is
// better spent on the prices.
constexpr double kPricingShare = 0.75;
constexpr int kMostRounds = 2000;
// The cuts' share, as the pricing's: with 85% a 600 s run on the made-up
// 100-node network ends at the same plan and bound with stub release (the
// last round is cut short either way), 7% higher a bound without it, but
// on the 50-node network the repair without stub release then runs out of
// its time (65% above the bound instead of 0.8% in 60 s).
constexpr double kCutShare = kPricingShare;
// When the pricing stops short, the subgradient ascent of its bound may take
// this share of the search's time left.
constexpr double kAscentShare = 0.2;
// How far the pricing's prices lean towards those of the best bound.
constexpr double kSmoothing = 0.5;
// The integer program of one scenario's restoration, when its greedy and
// rounded restorations fall short: at most this, and never beyond the
// search's time left.
constexpr double kRestoreSeconds = 5;
// The program over every scenario with at least this many rows is solved
// by cuts on the spare instead (path_cuts.h): its solves grow slow with its
// size, where the cuts' scenarios are solved one by one.
constexpr std::size_t kCutRows = 12000;
// The most repairs of a plan before it is given up.
constexpr int kRepairRounds = 1000;
// The volume algorithm's share of the cuts' time, before the first round.
constexpr double kVolumeShare = 0.3;

// A restoration route of the linear program: its scenario and demand (an
// index into the problem's demands), its nodes and links.
struct RouteColumn {
  int scenario = 0;
  int demand = 0;
  std::vector<int> nodes;
  std::vector<int> links;
};

long long cost_of(const PathPlanStudy& study, const std::vector<long long>& added) {
  long long cost = 0;
  for (std::size_t k = 0; k < added.size(); ++k) cost += study.cost[k] * added[k];
  return cost;
}

std::vector<long long> kept_plus(const PathPlanStudy& study, const std::vector<long long>& added) {
  std::vector<long long> spare = study.kept;
  for (std::size_t k = 0; k < spare.size(); ++k) spare[k] += added[k];
  return spare;
}

// Each scenario's integral restoration over kept plus added spare.
class Restorer {
 public:
  Restorer(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, const RunClock& clock)
      : study_(study), models_(models), clock_(clock) {}

  // Restores scenario s; true when every demand that can be restored is.
  bool restore(std::size_t s, const Network& net, pathrestore::ScenarioResult& result) const {
    const ScenarioProblem p = pathrestore::problem_of(net, *study_.paths, (*study_.scenarios)[s], study_.stub_release);
    pathrestore::RestoreOptions options;
    options.max_spans = study_.max_spans;
    options.ip_seconds = std::min(kRestoreSeconds, clock_.search_left());
    result = pathrestore::restore(net, p, options);
    long long target = 0;
    for (int d : models_[s].demands) target += models_[s].problem.demands[static_cast<std::size_t>(d)].affected;
    return result.restored >= target;
  }

  // Channels each link of scenario s carries on the routes of `result`.
  std::vector<long long> use_of(std::size_t s, const pathrestore::ScenarioResult& result) const {
    const Links& g = models_[s].links;
    std::vector<long long> use(g.links.size(), 0);
    for (const pathrestore::Route& r : result.routes)
      for (std::size_t j = 0; j + 1 < r.nodes.size(); ++j) use[static_cast<std::size_t>(g.between(r.nodes[j], r.nodes[j + 1]))] += r.channels;
    return use;
  }

  // Capacity of each link of scenario s with `spare` on the spans.
  std::vector<long long> capacity_of(std::size_t s, const std::vector<long long>& spare) const {
    const ScenarioModel& m = models_[s];
    std::vector<long long> capacity;
    for (std::size_t l = 0; l < m.links.links.size(); ++l) {
      long long c = m.links.links[l].capacity;
      for (int k : m.spans_of[l]) c += spare[static_cast<std::size_t>(k)];
      capacity.push_back(c);
    }
    return capacity;
  }

 private:
  const PathPlanStudy& study_;
  const std::vector<ScenarioModel>& models_;
  const RunClock& clock_;
};

// For each link of a scenario, the cheapest of its spans: where spare for
// the link is added.
std::vector<int> cheapest_spans(const PathPlanStudy& study, const ScenarioModel& m) {
  std::vector<int> cheapest(m.links.links.size(), -1);
  for (std::size_t l = 0; l < cheapest.size(); ++l)
    for (int k : m.spans_of[l])
      if (cheapest[l] < 0 || study.cost[static_cast<std::size_t>(k)] < study.cost[static_cast<std::size_t>(cheapest[l])]) cheapest[l] = k;
  return cheapest;
}

// Adds spare to `added` so that the demands scenario s left short are
// routed: each missing channel over the least-cost route, a link with
// capacity left costing nothing, a full one the cheapest of its spans. With
// `paid`, every link counts as full: the restoration may leave a demand short
// where routes with capacity left remain, and spare on them alone would not
// change what it finds.
void repair(const PathPlanStudy& study, const ScenarioModel& m, const std::vector<long long>& capacity,
            const pathrestore::ScenarioResult& result, const std::vector<long long>& use, std::vector<long long>& added,
            bool paid = false) {
  const Links& g = m.links;
  std::vector<long long> left(g.links.size(), 0);
  if (!paid)
    for (std::size_t l = 0; l < left.size(); ++l) left[l] = capacity[l] - use[l];
  const std::vector<int> cheapest = cheapest_spans(study, m);
  Pricing pricing(g, study.max_spans);
  std::vector<double> price(g.links.size());
  for (int d : m.demands) {
    const pathrestore::RestorationDemand& demand = m.problem.demands[static_cast<std::size_t>(d)];
    for (long long missing = demand.affected - result.restored_per_demand[static_cast<std::size_t>(d)]; missing > 0; --missing) {
      // A hop costs a little, so that among free routes the shortest is taken.
      for (std::size_t l = 0; l < g.links.size(); ++l)
        price[l] = 1e-6 + (left[l] > 0 ? 0.0 : static_cast<double>(study.cost[static_cast<std::size_t>(cheapest[l])]));
      pricing.from(demand.from, price);
      if (pricing.price_to(demand.to) == kInf) break;
      const std::vector<int> route = pricing.route_to(demand.to);
      for (std::size_t j = 0; j + 1 < route.size(); ++j) {
        const std::size_t l = static_cast<std::size_t>(g.between(route[j], route[j + 1]));
        if (left[l] > 0)
          --left[l];
        else
          ++added[static_cast<std::size_t>(cheapest[l])];
      }
    }
  }
}

// Takes away, span by span, the dearest first, the added spare that no
// scenario's restoration uses (`use`, per scenario and link), keeping every
// restoration within its capacities.
void trim_unused(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, const Restorer& restorer,
                 const std::vector<std::vector<long long>>& use, std::vector<long long>& added) {
  std::vector<std::vector<long long>> capacity;
  const std::vector<long long> spare = kept_plus(study, added);
  for (std::size_t s = 0; s < models.size(); ++s) capacity.push_back(restorer.capacity_of(s, spare));
  std::vector<int> order(added.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return study.cost[static_cast<std::size_t>(a)] > study.cost[static_cast<std::size_t>(b)];
  });
  for (int k : order) {
    long long removable = added[static_cast<std::size_t>(k)];
    for (std::size_t s = 0; s < models.size() && removable > 0; ++s) {
      const int l = models[s].link_of[static_cast<std::size_t>(k)];
      if (l >= 0) removable = std::min(removable, capacity[s][static_cast<std::size_t>(l)] - use[s][static_cast<std::size_t>(l)]);
    }
    if (removable <= 0) continue;
    added[static_cast<std::size_t>(k)] -= removable;
    for (std::size_t s = 0; s < models.size(); ++s) {
      const int l = models[s].link_of[static_cast<std::size_t>(k)];
      if (l >= 0) capacity[s][static_cast<std::size_t>(l)] -= removable;
    }
  }
}

// Restores every scenario over kept plus `added`, on every core; when some
// fall short, repairs them and tries again (at most `rounds` times). `stop`, asked
// before each scenario, ends it at once: the scenarios not yet restored
// count as short. The channels each scenario's routes carry per link go to
// `use`, its restoration to `results` and whether it is restored in full to
// `full`, all over the `added` that the call leaves. True when every
// scenario is restored in full.
bool restore_every(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, const Restorer& restorer,
                   std::vector<long long>& added, std::vector<std::vector<long long>>& use, int rounds,
                   const std::function<bool()>& stop, std::vector<pathrestore::ScenarioResult>& results,
                   std::vector<char>& full) {
  for (int round = 0;; ++round) {
    const std::vector<long long> spare = kept_plus(study, added);
    const Network net = with_spare(*study.net, spare);
    std::vector<long long> repaired = added;
    use.assign(models.size(), {});
    results.assign(models.size(), {});
    full.assign(models.size(), 0);
    std::vector<char> restored(models.size(), 0);
    const bool stopped = on_every_core(models.size(), stop, [&](std::size_t s) {
      full[s] = restorer.restore(s, net, results[s]);
      restored[s] = 1;
    });
    // The repairs in scenario order, whatever order the cores took.
    for (std::size_t s = 0; s < models.size(); ++s) {
      if (!restored[s]) continue;
      use[s] = restorer.use_of(s, results[s]);
      if (!full[s] && round < rounds) repair(study, models[s], restorer.capacity_of(s, spare), results[s], use[s], repaired);
    }
    if (std::find(full.begin(), full.end(), 0) == full.end()) return true;
    if (stopped || round >= rounds || (stop && stop())) return false;
    // Nothing added, yet scenarios short: the routes with capacity left that
    // the repair took are paid for in full.
    if (repaired == added)
      for (std::size_t s = 0; s < models.size(); ++s)
        if (!full[s]) repair(study, models[s], restorer.capacity_of(s, spare), results[s], use[s], repaired, true);
    added = std::move(repaired);
  }
}

// The plan when every scenario could not be restored in full over `added`
// (the time ran out, or the repairs did not close): each scenario left
// short is given routes of its own, every affected path of a demand on the
// demand's fewest-span route, and `added` is raised, on the cheapest span of
// each link, to what those routes need beyond the channels released and the
// spare kept. The scenarios restored in full keep their routes, which more
// spare holds as well. No restoration is searched for: this takes the time
// of a breadth-first search per demand.
void fall_back(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, std::vector<long long>& added,
               std::vector<pathrestore::ScenarioResult>& results, const std::vector<char>& full) {
  for (std::size_t s = 0; s < models.size(); ++s) {
    if (full[s]) continue;
    const ScenarioModel& m = models[s];
    pathrestore::ScenarioResult& result = results[s];
    result = {};
    result.restored_per_demand.assign(m.problem.demands.size(), 0);
    std::vector<long long> use(m.links.links.size(), 0);
    for (int d : m.demands) {
      const pathrestore::RestorationDemand& demand = m.problem.demands[static_cast<std::size_t>(d)];
      std::vector<int> nodes = pathrestore::fewest_spans(m.links, demand.from, demand.to, nullptr, study.max_spans);
      for (std::size_t j = 0; j + 1 < nodes.size(); ++j)
        use[static_cast<std::size_t>(m.links.between(nodes[j], nodes[j + 1]))] += demand.affected;
      result.routes.push_back({std::move(nodes), demand.affected});
      result.route_demand.push_back(d);
      result.restored_per_demand[static_cast<std::size_t>(d)] = demand.affected;
      result.restored += demand.affected;
    }
    const std::vector<int> cheapest = cheapest_spans(study, m);
    for (std::size_t l = 0; l < use.size(); ++l) {
      long long need = use[l] - m.links.links[l].capacity;
      for (int k : m.spans_of[l]) need -= study.kept[static_cast<std::size_t>(k)];
      if (need > 0) {
        long long& on = added[static_cast<std::size_t>(cheapest[l])];
        on = std::max(on, need);
      }
    }
  }
}

// The Lagrangian bound of the capacity rows' prices `price` (per scenario
// and link): the demands' affected paths at the price of their cheapest
// route (`demand_term`), less the capacities at their prices, all scaled
// down so that no span's prices summed over the scenarios exceed its cost.
// Any prices of zero or more give a bound.
double lagrangian_bound(const PathPlanStudy& study, const std::vector<ScenarioModel>& models,
                        const std::vector<std::vector<double>>& price, double demand_term) {
  double scale = 1.0;
  for (std::size_t k = 0; k < study.cost.size(); ++k) {
    double sum = 0;
    for (std::size_t s = 0; s < models.size(); ++s) {
      const int l = models[s].link_of[k];
      if (l >= 0) sum += price[s][static_cast<std::size_t>(l)];
    }
    if (sum > static_cast<double>(study.cost[k])) scale = std::min(scale, static_cast<double>(study.cost[k]) / sum);
  }
  double capacity_term = 0;
  for (std::size_t s = 0; s < models.size(); ++s) {
    const ScenarioModel& m = models[s];
    for (std::size_t l = 0; l < m.links.links.size(); ++l) {
      long long c = m.links.links[l].capacity;
      for (int k : m.spans_of[l]) c += study.kept[static_cast<std::size_t>(k)];
      capacity_term += price[s][l] * static_cast<double>(c);
    }
  }
  return std::max(0.0, scale * (demand_term - capacity_term));
}

// Hands `each` every restorable demand of scenario model `m` (its place in
// m.demands), the price of its cheapest route under the per-link `price`,
// and the pricing that found it (for the route), the demands of one source
// priced together.
void for_cheapest(const PathPlanStudy& study, const ScenarioModel& m, const std::vector<double>& price,
                  const std::function<void(std::size_t, double, const Pricing&)>& each) {
  std::map<int, std::vector<std::size_t>> by_source;
  for (std::size_t i = 0; i < m.demands.size(); ++i)
    by_source[m.problem.demands[static_cast<std::size_t>(m.demands[i])].from].push_back(i);
  Pricing pricing(m.links, study.max_spans);
  for (const auto& [source, group] : by_source) {
    pricing.from(source, price);
    for (std::size_t i : group)
      each(i, pricing.price_to(m.problem.demands[static_cast<std::size_t>(m.demands[i])].to), pricing);
  }
}

// The Lagrangian of the capacity rows' prices `price` with each span's spare
// between 0 and `spare_high` (no plan needs more): the demands' affected
// paths at the price of their cheapest route, less the capacities at their
// prices, plus, for each span whose prices summed over the scenarios exceed
// its cost, that excess times `spare_high`, taken off. `excess` gets its
// subgradient: per scenario and link, the channels of the cheapest routes
// beyond the link's capacity with that spare. The better of this bound and
// lagrangian_bound's is returned.
double box_lagrangian(const PathPlanStudy& study, const std::vector<ScenarioModel>& models,
                      const std::vector<std::vector<double>>& price, double spare_high,
                      std::vector<std::vector<double>>& excess) {
  double demand_term = 0, value = 0;
  excess.assign(models.size(), {});
  for (std::size_t s = 0; s < models.size(); ++s) {
    const ScenarioModel& m = models[s];
    excess[s].assign(m.links.links.size(), 0.0);
    for (std::size_t l = 0; l < m.links.links.size(); ++l) {
      long long c = m.links.links[l].capacity;
      for (int k : m.spans_of[l]) c += study.kept[static_cast<std::size_t>(k)];
      excess[s][l] = -static_cast<double>(c);
      value -= price[s][l] * static_cast<double>(c);
    }
    for_cheapest(study, m, price[s], [&](std::size_t i, double cheapest, const Pricing& pricing) {
      const pathrestore::RestorationDemand& demand = m.problem.demands[static_cast<std::size_t>(m.demands[i])];
      demand_term += demand.affected * cheapest;
      const std::vector<int> route = pricing.route_to(demand.to);
      for (std::size_t j = 0; j + 1 < route.size(); ++j)
        excess[s][static_cast<std::size_t>(m.links.between(route[j], route[j + 1]))] += demand.affected;
    });
  }
  value += demand_term;
  for (std::size_t k = 0; k < study.cost.size(); ++k) {
    double sum = 0;
    for (std::size_t s = 0; s < models.size(); ++s)
      if (const int l = models[s].link_of[k]; l >= 0) sum += price[s][static_cast<std::size_t>(l)];
    if (sum <= static_cast<double>(study.cost[k])) continue;
    value -= (sum - static_cast<double>(study.cost[k])) * spare_high;
    for (std::size_t s = 0; s < models.size(); ++s)
      if (const int l = models[s].link_of[k]; l >= 0) excess[s][static_cast<std::size_t>(l)] -= spare_high;
  }
  return std::max(value, lagrangian_bound(study, models, price, demand_term));
}

// Subgradient ascent on box_lagrangian from `price`, each step's length
// `step` times the distance from the bound to `target` (an upper bound on
// the Lagrangian's best: the restricted program's optimum) over the
// subgradient's squared length, `step` halved after five steps without a
// better bound; until `stop`, the step is too short to matter, or the
// subgradient is zero (the bound is then the Lagrangian's best). The best
// bound found.
double ascend(const PathPlanStudy& study, const std::vector<ScenarioModel>& models,
              std::vector<std::vector<double>> price, double spare_high, double target,
              const std::function<bool()>& stop) {
  std::vector<std::vector<double>> excess;
  double best = 0, step = 1.0;
  for (int since_better = 0; step > 1e-3 && !stop();) {
    const double value = box_lagrangian(study, models, price, spare_high, excess);
    if (value > best + 1e-9) {
      best = value;
      since_better = 0;
    } else if (++since_better >= 5) {
      step /= 2;
      since_better = 0;
    }
    double norm = 0;
    for (std::size_t s = 0; s < price.size(); ++s)
      for (std::size_t l = 0; l < price[s].size(); ++l)
        // A row whose price is 0 and stays so (slack) counts no length.
        if (price[s][l] > 0 || excess[s][l] > 0) norm += excess[s][l] * excess[s][l];
    if (norm <= 0 || target <= value) break;
    const double t = step * (target - value) / norm;
    for (std::size_t s = 0; s < price.size(); ++s)
      for (std::size_t l = 0; l < price[s].size(); ++l) price[s][l] = std::max(0.0, price[s][l] + t * excess[s][l]);
  }
  return best;
}

std::vector<std::vector<pathrestore::Route>> routes_of(const std::vector<pathrestore::ScenarioResult>& results) {
  std::vector<std::vector<pathrestore::Route>> routes;
  for (const pathrestore::ScenarioResult& r : results) routes.push_back(r.routes);
  return routes;
}

// The spare no restoration uses taken away, then every scenario restored
// again over what is left (the restoration of a scenario is found anew, and
// may need what another found route did not: repaired where it falls
// short), as restore_every does.
bool trimmed_and_restored(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, const Restorer& restorer,
                          std::vector<long long>& added, std::vector<std::vector<long long>>& use, int rounds,
                          const std::function<bool()>& stop, std::vector<pathrestore::ScenarioResult>& results,
                          std::vector<char>& full) {
  trim_unused(study, models, restorer, use, added);
  return restore_every(study, models, restorer, added, use, rounds, stop, results, full);
}


// The first plan: `linear` (the linear spare, or none) rounded up into
// `added`, repaired until every scenario is restored, then what no
// restoration uses trimmed; when the time or the repair ends that short,
// the scenarios left short are given routes of their own (what the note
// then says comes back, else nothing). `restorations` and `use` are the
// plan's; the plan's spare, cost and routes are set.
std::string first_plan(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, const Restorer& restorer,
                       PlanSearch& search, const std::vector<double>& linear, std::vector<long long>& added,
                       std::vector<std::vector<long long>>& use, std::vector<pathrestore::ScenarioResult>& restorations,
                       PathPlan& plan) {
  const RunClock& clock = search.clock();
  const auto over = [&clock] { return clock.search_over(); };
  added.assign(study.cost.size(), 0);
  for (std::size_t k = 0; k < linear.size(); ++k) added[k] = static_cast<long long>(std::ceil(std::max(0.0, linear[k]) - 1e-6));
  std::vector<char> full;
  std::string note;
  if (!restore_every(study, models, restorer, added, use, 1000, over, restorations, full) ||
      !trimmed_and_restored(study, models, restorer, added, use, 1000, over, restorations, full)) {
    fall_back(study, models, added, restorations, full);
    note = over() ? text_printf("the time limit of %g s ended the repair: the scenarios left short were given "
                                "spare for routes of their own",
                                clock.limit())
                  : "the repair did not close: the scenarios left short were given spare for routes of their own";
  }
  plan.restorations = routes_of(restorations);
  plan.spare = kept_plus(study, added);
  plan.cost = cost_of(study, added);
  search.progress().plan(plan.cost, 0);
  return note;
}

// `candidate` (added spare), repaired at most `rounds` times and trimmed as
// the first plan is; made the plan when cheaper (true).
bool take_cheaper(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, const Restorer& restorer,
                  const std::function<bool()>& over, std::vector<long long> candidate, int rounds,
                  std::vector<long long>& added, PathPlan& plan) {
  if (cost_of(study, candidate) >= plan.cost || over()) return false;
  std::vector<std::vector<long long>> candidate_use;
  std::vector<pathrestore::ScenarioResult> candidate_restorations;
  std::vector<char> candidate_full;
  if (!restore_every(study, models, restorer, candidate, candidate_use, rounds, over, candidate_restorations,
                     candidate_full) ||
      !trimmed_and_restored(study, models, restorer, candidate, candidate_use, rounds, over, candidate_restorations,
                            candidate_full) ||
      cost_of(study, candidate) >= plan.cost)
    return false;
  added = std::move(candidate);
  plan.restorations = routes_of(candidate_restorations);
  plan.spare = kept_plus(study, added);
  plan.cost = cost_of(study, added);
  return true;
}

// A plan the search found (`found`: its spare first), rounded, repaired
// and trimmed; made the plan when cheaper.
void take_found(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, const Restorer& restorer,
                const std::function<bool()>& over, const std::vector<double>& found, std::vector<long long>& added,
                PathPlan& plan) {
  std::vector<long long> candidate(added.size());
  for (std::size_t k = 0; k < candidate.size(); ++k) candidate[k] = std::max(0LL, std::llround(found[k]));
  take_cheaper(study, models, restorer, over, std::move(candidate), 3, added, plan);
}

// The plan's spare rerouted scenario by scenario (path_reroute.h), then
// restored again by pathsweep's own restoration (repaired where that falls
// short), so that pathsweep finds every scenario restored; taken when
// cheaper. `stop` ends both.
void reroute_and_take(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, const Restorer& restorer,
                      PlanSearch& search, const std::function<bool()>& stop, std::vector<long long>& added,
                      PathPlan& plan) {
  std::vector<long long> rerouted = added;
  std::vector<std::vector<pathrestore::Route>> routes = plan.restorations;
  reroute_plan(study, models, rerouted, routes, stop);
  if (take_cheaper(study, models, restorer, stop, std::move(rerouted), kRepairRounds, added, plan))
    search.progress().plan(plan.cost, 0);
}

// The plan by cuts on the spare (path_cuts.h): the master program's optimum
// is the bound whenever the cuts stop. The first plan is the volume
// algorithm's spare (path_volume.h) rounded up, repaired and rerouted,
// before the cuts, which start from it; a second, from the last spare the
// cuts know to restore every scenario in the linear program short of the
// master's own (CutProgram::restorable), is taken when cheaper. The search
// is over the master program with whole spare, a relaxation of the plan,
// whose bound raises the lower bound and whose solutions are repaired into
// plans.
void plan_by_cuts(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, const Restorer& restorer,
                  double spare_high, PlanSearch& search, PathPlan& plan) {
  const RunClock& clock = search.clock();
  const auto over = [&clock] { return clock.search_over(); };
  const std::size_t n_span = study.net->spans.size();
  const double cuts_until = clock.elapsed() + kCutShare * clock.search_left();
  // The volume algorithm's cuts and restorable spare first, within its share.
  const double volume_until = clock.elapsed() + kVolumeShare * (cuts_until - clock.elapsed());
  VolumeAscent volume = ascend_by_volume(
      study, models, spare_high, [&] { return clock.elapsed() >= volume_until || clock.search_over(); },
      [&](double) { search.progress().tick(); });
  // The first plan, from the volume's spare, and rerouted: a plan in hand
  // before the cuts, and a spare that restores every scenario much nearer
  // the bound than the volume's own, for the cuts to separate towards.
  std::vector<long long> added;
  std::vector<std::vector<long long>> use;
  std::vector<pathrestore::ScenarioResult> restorations;
  std::string fell_back = first_plan(study, models, restorer, search, volume.spare, added, use, restorations, plan);
  const auto before_cuts = [&] { return clock.elapsed() >= cuts_until || over(); };
  if (fell_back.empty()) reroute_and_take(study, models, restorer, search, before_cuts, added, plan);
  CutStart start{std::move(volume.cuts), std::vector<double>(added.begin(), added.end())};
  if (!fell_back.empty()) start.restorable = std::move(volume.spare);
  const CutProgram cuts = solve_by_cuts(study, models, spare_high, study.pricing_rounds, before_cuts,
                                        [&] { search.progress().tick(); }, start);
  plan.routes = cuts.routes;
  plan.priced_out = cuts.solved_out;
  // A second plan from the cuts' restorable spare, when they moved it; taken
  // when cheaper (rounded, repaired and rerouted, a dearer linear spare may
  // still end cheaper).
  if (cuts.restorable != start.restorable && !over()) {
    PathPlan second;
    std::vector<long long> second_added;
    const std::string second_fell_back =
        first_plan(study, models, restorer, search, cuts.restorable, second_added, use, restorations, second);
    if (second_fell_back.empty()) {
      reroute_and_take(study, models, restorer, search, over, second_added, second);
      if (second.cost < plan.cost || !fell_back.empty()) {
        added = std::move(second_added);
        plan.restorations = std::move(second.restorations);
        plan.spare = std::move(second.spare);
        plan.cost = second.cost;
        fell_back.clear();
      }
    }
    search.progress().plan(plan.cost, 0);
  }

  LinearModel master;
  for (std::size_t k = 0; k < n_span; ++k) master.add_column(static_cast<double>(study.cost[k]), 0.0, spare_high, true);
  for (const SpareCut& cut : cuts.cuts) {
    const int row = master.add_row(cut.rhs, LinearModel::kInfinity);
    for (std::size_t i = 0; i < cut.spans.size(); ++i) master.add_entry(row, cut.spans[i], cut.coefs[i]);
  }
  const bool have_linear = search.solve_linear(master, false);
  plan.lp_bound = cuts.bound;
  plan.lower_bound = whole_bound(cuts.bound);
  plan.note.clear();
  search.tell_linear();
  search.relaxation();
  search.search(master, std::vector<double>(added.begin(), added.end()),
                [&](const std::vector<double>& found) { take_found(study, models, restorer, over, found, added, plan); });
  const bool stopped = !plan.note.empty();
  plan.lower_bound = std::max(plan.lower_bound, whole_bound(cuts.bound));
  if (!plan.priced_out)
    plan.note = "not every cut was generated by the time limit: the lower bound is the master program's over the cuts found";
  else if (plan.cost > plan.lower_bound && !have_linear)
    plan.note = "no time was left for the search";
  else if (plan.cost > plan.lower_bound && !stopped)
    plan.note = "the search was optimal over the cuts generated; the lower bound is over every route";
  if (!fell_back.empty()) plan.note = fell_back + (plan.note.empty() ? "" : "; " + plan.note);
  search.finish();
}
}  // namespace

std::vector<ScenarioModel> scenario_models(const PathPlanStudy& study) {
  const Network bare = with_spare(*study.net, std::vector<long long>(study.net->spans.size(), 0));
  std::vector<ScenarioModel> models;
  for (const pathrestore::Scenario& scenario : *study.scenarios) {
    ScenarioModel m;
    m.problem = pathrestore::problem_of(bare, *study.paths, scenario, study.stub_release);
    m.links = pathrestore::links_of(bare, m.problem, true);
    m.link_of.assign(study.net->spans.size(), -1);
    m.spans_of.assign(m.links.links.size(), {});
    for (std::size_t k = 0; k < study.net->spans.size(); ++k) {
      const studyfiles::Span& s = study.net->spans[k];
      if (m.problem.span_failed[k] || m.problem.node_failed[static_cast<std::size_t>(s.from)] ||
          m.problem.node_failed[static_cast<std::size_t>(s.to)])
        continue;
      m.link_of[k] = m.links.between(s.from, s.to);
      if (m.link_of[k] >= 0) m.spans_of[static_cast<std::size_t>(m.link_of[k])].push_back(static_cast<int>(k));
    }
    for (std::size_t d = 0; d < m.problem.demands.size(); ++d) {
      const pathrestore::RestorationDemand& demand = m.problem.demands[d];
      if (!pathrestore::fewest_spans(m.links, demand.from, demand.to, nullptr, study.max_spans).empty())
        m.demands.push_back(static_cast<int>(d));
    }
    models.push_back(std::move(m));
  }
  return models;
}

Network with_spare(const Network& net, const std::vector<long long>& spare) {
  Network out = net;
  for (std::size_t k = 0; k < out.spans.size(); ++k)
    out.spans[k].spare = static_cast<int>(std::min<long long>(spare[k], INT_MAX));
  return out;
}

std::vector<Unrestorable> unrestorable_demands(const PathPlanStudy& study) {
  const std::vector<ScenarioModel> models = scenario_models(study);
  std::vector<Unrestorable> out;
  for (std::size_t s = 0; s < models.size(); ++s) {
    const ScenarioModel& m = models[s];
    for (std::size_t d = 0, next = 0; d < m.problem.demands.size(); ++d) {
      if (next < m.demands.size() && m.demands[next] == static_cast<int>(d)) {
        ++next;
        continue;
      }
      out.push_back({static_cast<int>(s), m.problem.demands[d].demand, m.problem.demands[d].affected});
    }
  }
  return out;
}

PathPlan plan_path_spare(const PathPlanStudy& study, const PlanOptions& options) {
  PathPlan plan;
  PlanSearch search(options, plan);
  const RunClock& clock = search.clock();
  const std::size_t n_span = study.net->spans.size();
  std::vector<ScenarioModel> models = scenario_models(study);
  plan.unrestorable = unrestorable_demands(study);
  const Restorer restorer(study, models, clock);
  const auto over = [&clock] { return clock.search_over(); };

  // The rows: per scenario its links, then its demands.
  std::vector<double> low, high;
  long long most_affected = 0;
  for (ScenarioModel& m : models) {
    m.first_link_row = static_cast<int>(low.size());
    for (std::size_t l = 0; l < m.links.links.size(); ++l) {
      long long c = m.links.links[l].capacity;
      for (int k : m.spans_of[l]) c += study.kept[static_cast<std::size_t>(k)];
      low.push_back(-LinearModel::kInfinity);
      high.push_back(static_cast<double>(c));
    }
    m.first_demand_row = static_cast<int>(low.size());
    long long affected = 0;
    for (int d : m.demands) {
      const int a = m.problem.demands[static_cast<std::size_t>(d)].affected;
      low.push_back(a);
      high.push_back(LinearModel::kInfinity);
      affected += a;
    }
    most_affected = std::max(most_affected, affected);
  }
  const double spare_high = static_cast<double>(most_affected);
  if (study.lp == PathLp::cuts || (study.lp == PathLp::automatic && low.size() >= kCutRows)) {
    plan_by_cuts(study, models, restorer, spare_high, search, plan);
    return plan;
  }
  LinearModel model;  // the same program, for the search
  for (std::size_t r = 0; r < low.size(); ++r) model.add_row(low[r], high[r]);
  lpsolve::ColumnLp lp(low, high);
  for (std::size_t k = 0; k < n_span; ++k) {
    std::vector<int> rows;
    for (const ScenarioModel& m : models)
      if (m.link_of[k] >= 0) rows.push_back(m.first_link_row + m.link_of[k]);
    const double c = static_cast<double>(study.cost[k]);
    lp.add_column(c, 0.0, spare_high, rows, std::vector<double>(rows.size(), -1.0));
    const int x = model.add_column(c, 0.0, spare_high, true);
    for (int r : rows) model.add_entry(r, x, -1.0);
  }
  std::vector<RouteColumn> columns;
  std::map<std::pair<std::pair<int, int>, std::vector<int>>, int> known;
  // The route's column, added when new; true when it was.
  const auto add_route = [&](int s, int d, const std::vector<int>& nodes, int* index = nullptr) {
    const auto [at, added] = known.emplace(std::make_pair(std::make_pair(s, d), nodes), static_cast<int>(columns.size()));
    if (index != nullptr) *index = at->second;
    if (!added) return false;
    const ScenarioModel& m = models[static_cast<std::size_t>(s)];
    RouteColumn col{s, d, nodes, {}};
    std::vector<int> rows;
    for (std::size_t j = 0; j + 1 < nodes.size(); ++j) {
      col.links.push_back(m.links.between(nodes[j], nodes[j + 1]));
      rows.push_back(m.first_link_row + col.links.back());
    }
    int demand_row = m.first_demand_row;
    while (m.demands[static_cast<std::size_t>(demand_row - m.first_demand_row)] != d) ++demand_row;
    rows.push_back(demand_row);
    lp.add_column(0.0, 0.0, LinearModel::kInfinity, rows, std::vector<double>(rows.size(), 1.0));
    const int x = model.add_column(0.0, 0.0, LinearModel::kInfinity, true);
    for (int r : rows) model.add_entry(r, x, 1.0);
    columns.push_back(std::move(col));
    return true;
  };
  for (std::size_t s = 0; s < models.size(); ++s)
    for (int d : models[s].demands) {
      const pathrestore::RestorationDemand& demand = models[s].problem.demands[static_cast<std::size_t>(d)];
      add_route(static_cast<int>(s), d, pathrestore::fewest_spans(models[s].links, demand.from, demand.to, nullptr, study.max_spans));
    }

  // Column generation, within its share of the time. Routes are priced
  // under prices smoothed towards those of the best bound so far (the
  // prices of successive solves swing far, and prices near the best ones
  // find the routes that matter sooner); when the smoothed prices find no
  // route, the solve's own prices are tried before the program is taken as
  // solved out.
  using Prices = std::vector<std::vector<double>>;  // per scenario: per link, or per demand of its rows
  using Found = std::vector<std::tuple<int, int, std::vector<int>>>;
  // The routes that price in under `price` against the demand rows' `own`
  // prices, and the Lagrangian bound of `price`.
  const auto price_routes = [&](const Prices& price, const Prices& own, Found& found) {
    double demand_term = 0;
    for (std::size_t s = 0; s < models.size(); ++s) {
      const ScenarioModel& m = models[s];
      for_cheapest(study, m, price[s], [&](std::size_t i, double cheapest, const Pricing& pricing) {
        const int d = m.demands[i];
        const pathrestore::RestorationDemand& demand = m.problem.demands[static_cast<std::size_t>(d)];
        demand_term += demand.affected * cheapest;
        if (cheapest < own[s][i] - kPriceTolerance) found.emplace_back(static_cast<int>(s), d, pricing.route_to(demand.to));
      });
    }
    return lagrangian_bound(study, models, price, demand_term);
  };
  const double pricing_until = clock.elapsed() + kPricingShare * clock.search_left();
  double best_bound = 0;
  Prices center, center_own;  // the prices of the best bound
  bool solved = false;
  std::vector<double> values;
  // Seconds the last solve took: the next, over more columns, may take
  // twice as long, and is not started unless that fits.
  double last_solve = 0;
  const int most_rounds = study.pricing_rounds > 0 ? study.pricing_rounds : kMostRounds;
  for (int round = 0; round < most_rounds; ++round) {
    // A solve stopped at the end of the pricing's share ends the pricing,
    // the last solve's answer kept.
    const double solve_start = clock.elapsed();
    if (pricing_until <= solve_start || !lp.solve(pricing_until - solve_start)) break;
    last_solve = clock.elapsed() - solve_start;
    solved = true;
    values = lp.values();
    const std::vector<double> duals = lp.row_duals();
    Prices price(models.size()), own(models.size());
    for (std::size_t s = 0; s < models.size(); ++s) {
      const ScenarioModel& m = models[s];
      for (std::size_t l = 0; l < m.links.links.size(); ++l)
        price[s].push_back(std::max(0.0, -duals[static_cast<std::size_t>(m.first_link_row) + l]));
      for (std::size_t i = 0; i < m.demands.size(); ++i)
        own[s].push_back(std::max(0.0, duals[static_cast<std::size_t>(m.first_demand_row) + i]));
    }
    // Routes priced in that are new to the program; smoothed prices may
    // name routes it already holds.
    const auto add_found = [&](const Found& found) {
      bool any = false;
      for (const auto& [s, d, route] : found) any = add_route(s, d, route) || any;
      return any;
    };
    bool fresh = false;
    if (!center.empty()) {
      Prices smooth_price = price, smooth_own = own;
      for (std::size_t s = 0; s < models.size(); ++s) {
        for (std::size_t l = 0; l < price[s].size(); ++l)
          smooth_price[s][l] = kSmoothing * center[s][l] + (1 - kSmoothing) * price[s][l];
        for (std::size_t i = 0; i < own[s].size(); ++i)
          smooth_own[s][i] = kSmoothing * center_own[s][i] + (1 - kSmoothing) * own[s][i];
      }
      Found found;
      const double bound = price_routes(smooth_price, smooth_own, found);
      if (bound > best_bound) {
        best_bound = bound;
        center = smooth_price;
        center_own = smooth_own;
      }
      fresh = add_found(found);
    }
    if (!fresh) {
      Found found;
      const double bound = price_routes(price, own, found);
      if (bound > best_bound || center.empty()) {
        best_bound = std::max(best_bound, bound);
        center = price;
        center_own = own;
      }
      fresh = add_found(found);
    }
    search.progress().tick();
    // No route of the solve's own prices is new: the program is solved out,
    // over every route.
    if (!fresh) {
      plan.priced_out = true;
      best_bound = std::max(best_bound, lp.objective());
      break;
    }
    if (clock.elapsed() + 2 * last_solve >= pricing_until || clock.search_over()) break;
  }
  plan.routes = static_cast<int>(columns.size());
  // Stopped short, the pricing's bound is raised by subgradient ascent from
  // the prices of the best bound, within its own share of the time.
  if (solved && !plan.priced_out && !center.empty()) {
    const double ascent_until = clock.elapsed() + kAscentShare * clock.search_left();
    best_bound = std::max(best_bound, ascend(study, models, center, spare_high, lp.objective(), [&] {
                            return clock.elapsed() >= ascent_until || clock.search_over();
                          }));
  }

  // The first plan: the linear spare rounded up, else none added; repaired
  // until every scenario is restored, then what no restoration uses trimmed.
  std::vector<long long> added;
  std::vector<std::vector<long long>> use;
  std::vector<pathrestore::ScenarioResult> restorations;
  // How the first plan was ended short, if it was.
  const std::string fell_back = first_plan(study, models, restorer, search,
                                           solved ? std::vector<double>(values.begin(), values.begin() + static_cast<long>(n_span))
                                                  : std::vector<double>{},
                                           added, use, restorations, plan);

  // The search over the routes generated, from the plan in hand (its spare
  // and the routes of its restorations, which join the program if they are
  // new); its bound holds over those routes only, so the lower bound stays
  // the linear program's.
  std::vector<std::pair<int, long long>> carried;
  for (std::size_t s = 0; s < restorations.size(); ++s)
    for (std::size_t i = 0; i < restorations[s].routes.size(); ++i) {
      int c = 0;
      add_route(static_cast<int>(s), restorations[s].route_demand[i], restorations[s].routes[i].nodes, &c);
      carried.push_back({c, restorations[s].routes[i].channels});
    }
  std::vector<double> start(added.begin(), added.end());
  start.resize(n_span + columns.size(), 0.0);
  for (const auto& [c, n] : carried) start[n_span + static_cast<std::size_t>(c)] += static_cast<double>(n);
  const bool have_linear = search.solve_linear(model, false);
  plan.lp_bound = best_bound;
  plan.lower_bound = whole_bound(best_bound);
  plan.note.clear();
  search.tell_linear();
  const long long bound = plan.lower_bound;
  search.search(model, start,
                [&](const std::vector<double>& found) { take_found(study, models, restorer, over, found, added, plan); });
  const bool stopped = !plan.note.empty();
  plan.lower_bound = bound;
  if (!plan.priced_out)
    plan.note = "not every route was priced in by the time limit: the lower bound is Lagrangian";
  else if (plan.cost > bound && !have_linear)
    plan.note = "no time was left for the search";
  else if (plan.cost > bound && !stopped)
    plan.note = "the search was optimal over the routes generated; the lower bound is over every route";
  if (!fell_back.empty()) plan.note = fell_back + (plan.note.empty() ? "" : "; " + plan.note);
  search.finish();
  return plan;
}

Error prove_path_plan(const PathPlanStudy& study, const std::vector<long long>& spare,
                      const std::vector<Unrestorable>& unrestorable,
                      const std::vector<std::vector<pathrestore::Route>>& restorations) {
  for (long long s : spare)
    if (s > INT_MAX) return Error::of(text_printf("the plan puts %lld spare channels on a span, beyond a netdata field", s));
  if (restorations.size() != study.scenarios->size())
    return Error::of("the plan fails its proof: it holds no restoration of some scenario");
  // The demands left out must have no surviving route.
  for (const Unrestorable& u : unrestorable) {
    const pathrestore::Scenario& scenario = (*study.scenarios)[static_cast<std::size_t>(u.scenario)];
    const ScenarioProblem p = pathrestore::problem_of(*study.net, *study.paths, scenario, study.stub_release);
    const Links g = pathrestore::links_of(*study.net, p, true);
    const pathrestore::Demand& d = study.paths->demands[static_cast<std::size_t>(u.demand)];
    if (!pathrestore::fewest_spans(g, d.from, d.to, nullptr, study.max_spans).empty())
      return Error::of(text_printf("the plan fails its proof: %s %s: the demand %s-%s has a surviving route",
                                   pathrestore::kind_word(scenario.kind), scenario.name.c_str(),
                                   study.net->name_of(d.from).c_str(), study.net->name_of(d.to).c_str()));
  }
  std::vector<long long> left_out(study.scenarios->size(), 0);
  for (const Unrestorable& u : unrestorable) left_out[static_cast<std::size_t>(u.scenario)] += u.affected;
  const Network net = with_spare(*study.net, spare);
  for (std::size_t s = 0; s < restorations.size(); ++s) {
    const pathrestore::Scenario& scenario = (*study.scenarios)[s];
    const ScenarioProblem p = pathrestore::problem_of(net, *study.paths, scenario, study.stub_release);
    long long restored = 0;
    for (const pathrestore::Route& r : restorations[s]) restored += r.channels;
    if (Error e = pathrestore::check_routes(net, p, restorations[s], restored, study.max_spans))
      return Error::of(text_printf("a restoration failed its proof: %s %s: %s", pathrestore::kind_word(scenario.kind),
                                   scenario.name.c_str(), e.text().c_str()));
    const long long target = p.affected - left_out[s];
    if (restored < target)
      return Error::of(text_printf("the plan fails its proof: %s %s restores %lld of its %lld affected paths",
                                   pathrestore::kind_word(scenario.kind), scenario.name.c_str(), restored, target));
  }
  return {};
}

}  // namespace capplan

