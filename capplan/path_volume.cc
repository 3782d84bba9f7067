#include "path_volume.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <thread>

#include "capped_simplex.h"
#include "links.h"

namespace capplan {

namespace {

// The weight of each new routing in the running averages.
constexpr double kAveraging = 0.1;
// Steps without a better bound before the step factor shrinks.
constexpr int kRedRun = 20;
// The multipliers of a better bound give each scenario's cut once at least
// this many steps after the last that gave cuts.
constexpr int kCutEvery = 50;
// The ascent ends once its bound levels off: less than kLevelGain of it
// gained over the last kLevel steps.
constexpr int kLevel = 300;
constexpr double kLevelGain = 1e-4;
// Cut coefficients below this are left out.
constexpr double kTinyPrice = 1e-6;
// The bound and the spare's cost this close (relatively) are taken as met.
constexpr double kClose = 1e-7;

// The scenarios' capacity rows laid end to end: row offset[s] + l is link l
// of scenario s.
struct Rows {
  std::vector<std::size_t> offset;
  std::vector<double> capacity;                   // released and kept channels
  std::vector<int> cheapest;                      // the link's cheapest span, where its spare goes
  std::vector<std::vector<std::size_t>> of_span;  // per span: the rows its spare enters
  // Per scenario: its restorable demands grouped by source (to, affected).
  std::vector<std::vector<std::pair<int, std::vector<std::pair<int, double>>>>> sources;
};

Rows rows_of(const PathPlanStudy& study, const std::vector<ScenarioModel>& models) {
  Rows rows;
  rows.of_span.assign(study.cost.size(), {});
  for (const ScenarioModel& m : models) {
    const std::size_t first = rows.capacity.size();
    rows.offset.push_back(first);
    for (std::size_t l = 0; l < m.links.links.size(); ++l) {
      long long c = m.links.links[l].capacity;
      int cheapest = -1;
      for (int k : m.spans_of[l]) {
        c += study.kept[static_cast<std::size_t>(k)];
        if (cheapest < 0 || study.cost[static_cast<std::size_t>(k)] < study.cost[static_cast<std::size_t>(cheapest)])
          cheapest = k;
        rows.of_span[static_cast<std::size_t>(k)].push_back(first + l);
      }
      rows.capacity.push_back(static_cast<double>(c));
      rows.cheapest.push_back(cheapest);
    }
    std::map<int, std::vector<std::pair<int, double>>> by_source;
    for (int d : m.demands) {
      const pathrestore::RestorationDemand& demand = m.problem.demands[static_cast<std::size_t>(d)];
      by_source[demand.from].emplace_back(demand.to, static_cast<double>(demand.affected));
    }
    rows.sources.emplace_back(by_source.begin(), by_source.end());
  }
  return rows;
}

// The least-price routing of every scenario under `pi`: L(pi), and the
// channels it puts on each row in `flow`. On every core, the scenarios
// dealt out in turn.
double price_at(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, const Rows& rows,
                const std::vector<double>& pi, std::vector<double>& flow, std::vector<double>& of_scenario) {
  flow.assign(rows.capacity.size(), 0.0);
  of_scenario.assign(models.size(), 0.0);
  const std::size_t n_thread =
      std::max<std::size_t>(1, std::min<std::size_t>(std::thread::hardware_concurrency(), models.size()));
  std::vector<double> value(n_thread, 0.0);
  const auto work = [&](std::size_t t) {
    std::vector<double> price;
    for (std::size_t s = t; s < models.size(); s += n_thread) {
      const ScenarioModel& m = models[s];
      const std::size_t first = rows.offset[s];
      const std::size_t n_link = m.links.links.size();
      price.assign(pi.begin() + static_cast<std::ptrdiff_t>(first),
                   pi.begin() + static_cast<std::ptrdiff_t>(first + n_link));
      double v = 0;
      for (std::size_t l = 0; l < n_link; ++l) v -= price[l] * rows.capacity[first + l];
      pathrestore::Pricing pricing(m.links, study.max_spans);
      for (const auto& [source, demands] : rows.sources[s]) {
        pricing.from(source, price);
        for (const auto& [to, affected] : demands) {
          v += affected * pricing.price_to(to);
          const std::vector<int> route = pricing.route_to(to);
          for (std::size_t j = 0; j + 1 < route.size(); ++j)
            flow[first + static_cast<std::size_t>(m.links.between(route[j], route[j + 1]))] += affected;
        }
      }
      value[t] += v;
      of_scenario[s] = v;
    }
  };
  std::vector<std::thread> threads;
  for (std::size_t t = 1; t < n_thread; ++t) threads.emplace_back(work, t);
  work(0);
  for (std::thread& t : threads) t.join();
  double total = 0;
  for (double v : value) total += v;
  return total;
}

// Each span's multipliers, over the rows its spare enters, onto the capped
// simplex of its cost. A link of parallel spans enters several: each
// projection only lowers multipliers, so those done before stay within.
void project(const PathPlanStudy& study, const Rows& rows, std::vector<double>& pi) {
  for (double& p : pi) p = std::max(0.0, p);
  std::vector<double> v;
  for (std::size_t k = 0; k < rows.of_span.size(); ++k) {
    v.clear();
    for (std::size_t r : rows.of_span[k])
      if (pi[r] > 0) v.push_back(pi[r]);
    const double t = capped_simplex_threshold(v, static_cast<double>(study.cost[k]));
    if (t <= 0) continue;
    for (std::size_t r : rows.of_span[k]) pi[r] = std::max(0.0, pi[r] - t);
  }
}

// The added spare that carries `flow` on every row, on each link's cheapest
// span.
std::vector<double> spare_for(const Rows& rows, std::size_t n_span, const std::vector<double>& flow) {
  std::vector<double> spare(n_span, 0.0);
  for (std::size_t r = 0; r < flow.size(); ++r) {
    if (rows.cheapest[r] < 0) continue;
    double& on = spare[static_cast<std::size_t>(rows.cheapest[r])];
    on = std::max(on, flow[r] - rows.capacity[r]);
  }
  return spare;
}

// Each scenario's cut at multipliers `pi`: its part of L(pi) is what any
// restoration of it needs of the added spare at the prices pi. A price
// below kTinyPrice is no coefficient (they wreck the master's numerics):
// its span's spare at most `spare_high` there is taken off the right side.
void add_cuts(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, const Rows& rows,
              const std::vector<double>& pi, const std::vector<double>& of_scenario, double spare_high,
              std::vector<SpareCut>& cuts) {
  for (std::size_t s = 0; s < models.size(); ++s) {
    if (of_scenario[s] <= 0) continue;
    SpareCut cut;
    cut.rhs = of_scenario[s];
    for (std::size_t k = 0; k < study.cost.size(); ++k) {
      const int l = models[s].link_of[k];
      if (l < 0) continue;
      const double mu = pi[rows.offset[s] + static_cast<std::size_t>(l)];
      if (mu < kTinyPrice) {
        cut.rhs -= mu * spare_high;
        continue;
      }
      cut.spans.push_back(static_cast<int>(k));
      cut.coefs.push_back(mu);
    }
    if (!cut.spans.empty() && cut.rhs > 0) cuts.push_back(std::move(cut));
  }
}

double cost_of(const PathPlanStudy& study, const std::vector<double>& spare) {
  double cost = 0;
  for (std::size_t k = 0; k < spare.size(); ++k) cost += static_cast<double>(study.cost[k]) * spare[k];
  return cost;
}

}  // namespace

VolumeAscent ascend_by_volume(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, double spare_high,
                              const std::function<bool()>& stop, const std::function<void(double)>& tick) {
  VolumeAscent out;
  const std::size_t n_span = study.cost.size();
  const Rows rows = rows_of(study, models);
  const std::size_t n_row = rows.capacity.size();
  out.spare.assign(n_span, 0.0);
  out.spare_cost = 0;
  if (n_row == 0) return out;
  // Each span's cost spread evenly over the scenarios it survives.
  std::vector<double> pi(n_row, 0.0);
  for (std::size_t k = 0; k < n_span; ++k)
    for (std::size_t r : rows.of_span[k])
      pi[r] += static_cast<double>(study.cost[k]) / static_cast<double>(models.size());
  project(study, rows, pi);
  std::vector<double> flow, of_scenario, center_of_scenario;
  double bound = price_at(study, models, rows, pi, flow, of_scenario);
  center_of_scenario = of_scenario;
  int cuts_at = 0;  // the step whose multipliers last gave cuts
  std::vector<double> mean_flow = flow, center = pi, mean(n_row), now(n_row);
  for (std::size_t r = 0; r < n_row; ++r) mean[r] = flow[r] - rows.capacity[r];
  out.bound = std::max(0.0, bound);
  out.spare = spare_for(rows, n_span, mean_flow);
  out.spare_cost = cost_of(study, out.spare);
  double factor = 0.1;
  int reds = 0;
  double level_bound = bound;
  while (!stop() && factor > 1e-6) {
    if (out.steps > 0 && out.steps % kLevel == 0) {
      if (bound - level_bound < kLevelGain * std::fabs(bound)) break;
      level_bound = bound;
    }
    const double target = out.spare_cost;
    const double gap = target - bound;
    if (gap <= kClose * std::max(1.0, target)) break;
    double norm = 0;
    for (std::size_t r = 0; r < n_row; ++r)
      if (center[r] > 0 || mean[r] > 0) norm += mean[r] * mean[r];
    if (norm <= 0) break;
    for (std::size_t r = 0; r < n_row; ++r) pi[r] = center[r] + factor * gap / norm * mean[r];
    project(study, rows, pi);
    const double value = price_at(study, models, rows, pi, flow, of_scenario);
    ++out.steps;
    double along = 0;  // whether the new subgradient still points the way taken
    for (std::size_t r = 0; r < n_row; ++r) {
      now[r] = flow[r] - rows.capacity[r];
      along += mean[r] * now[r];
      mean[r] = kAveraging * now[r] + (1 - kAveraging) * mean[r];
      mean_flow[r] = kAveraging * flow[r] + (1 - kAveraging) * mean_flow[r];
    }
    std::vector<double> spare = spare_for(rows, n_span, mean_flow);
    if (const double cost = cost_of(study, spare); cost < out.spare_cost) {
      out.spare = std::move(spare);
      out.spare_cost = cost;
    }
    if (value > bound) {
      center = pi;
      center_of_scenario = of_scenario;
      bound = value;
      if (out.steps - cuts_at >= kCutEvery) {
        add_cuts(study, models, rows, center, center_of_scenario, spare_high, out.cuts);
        cuts_at = out.steps;
      }
      out.bound = std::max(out.bound, value);
      reds = 0;
      if (along >= 0) factor = std::min(2.0, factor * 1.1);
    } else if (++reds >= kRedRun) {
      factor *= 0.66;
      reds = 0;
    }
    if (tick) tick(out.bound);
  }
  if (cuts_at != out.steps) add_cuts(study, models, rows, center, center_of_scenario, spare_high, out.cuts);
  return out;
}

}  // namespace capplan
