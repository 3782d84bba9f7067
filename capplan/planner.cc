#include "planner.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "arc_flow.h"
#include "first_plan.h"
#include "cbc_mip.h"
#include "linear_model.h"
#include "restoration.h"
#include "run_clock.h"
#include "text_format.h"

using lpsolve::LinearModel;
using lpsolve::MipOptions;
using lpsolve::MipResult;
using lpsolve::solve_with_cbc;

namespace {

long long cost_of(const SpanNetwork& net, const std::vector<long long>& spare) {
  long long cost = 0;
  for (std::size_t k = 0; k < spare.size(); ++k) cost += net.spans[k].cost * (spare[k] - net.spans[k].spare);
  return cost;
}

// The kept spare plus the solver's added spare on the first columns,
// `round_up` taking each value to the next whole channel (a small tolerance
// for the solver's arithmetic), else to the nearest.
std::vector<long long> spare_from(const SpanNetwork& net, const std::vector<double>& values, bool round_up) {
  std::vector<long long> spare;
  for (std::size_t k = 0; k < net.spans.size(); ++k) {
    const double v = std::max(0.0, values[k]);
    spare.push_back(net.spans[k].spare + static_cast<long long>(round_up ? std::ceil(v - 1e-6) : std::llround(v)));
  }
  return spare;
}

}  // namespace

double gap_percent(long long cost, double bound) {
  if (cost == 0) return 0;
  if (bound <= 0) return -1;
  return 100.0 * (static_cast<double>(cost) - bound) / bound;
}

Plan plan_spare(const SpanNetwork& net, const PlanOptions& options) {
  const RunClock own_clock(options.seconds);
  const RunClock& clock = options.clock ? *options.clock : own_clock;
  Progress quiet(clock, false);
  Progress& progress = options.progress ? *options.progress : quiet;
  const auto search_over = [&] { return clock.search_over(); };
  Plan plan;
  plan.bridges = find_bridges(net);
  std::vector<int> cuts;
  for (int f = 0; f < static_cast<int>(net.spans.size()); ++f)
    if (net.spans[f].working > 0 && std::find(plan.bridges.begin(), plan.bridges.end(), f) == plan.bridges.end())
      cuts.push_back(f);
  const LinearModel model = arc_flow_model(net, cuts);

  // The ceiling on every span restores every cut that has another route.
  std::vector<long long> ceiling;
  for (const PlanSpan& s : net.spans) ceiling.push_back(s.spare + spare_ceiling(net));
  MipOptions lp_options;
  // A first plan without the linear program, in hand before it starts, in
  // case the time runs out before it is solved.
  RoutedPlan routed(net, cuts);
  // It may take a tenth of the search's time to improve, before the linear
  // program has the rest.
  const double routed_until = clock.elapsed() + 0.1 * clock.search_left();
  routed.improve([&] { return clock.elapsed() >= routed_until; });
  if (routed.routed()) progress.plan(cost_of(net, routed.spare()), 0);
  lp_options.seconds = clock.search_left();
  lp_options.relaxation_only = true;
  lp_options.tick = [&] { progress.tick(); };
  const double lp_start = clock.elapsed();
  MipResult lp;
  if (lp_options.seconds > 0)
    lp = solve_with_cbc(model, lp_options);
  else
    lp.error = Error::of(text_printf("the solver found no solution in %g s", 0.0));
  const double lp_seconds = clock.elapsed() - lp_start;
  plan.spare = ceiling;
  if (lp.has_solution && lp.optimal) {
    plan.lp_bound = std::max(0.0, lp.objective);
    progress.lp_bound(plan.lp_bound);
    std::vector<long long> rounded = spare_from(net, lp.values, true);
    if (short_cuts(net, rounded, plan.bridges).empty()) plan.spare = rounded;
  } else {
    plan.note = "the linear program was not solved: " + lp.error.text();
    routed.improve(search_over);
    plan.spare = routed.routed() ? routed.spare() : ceiling;
    if (!short_cuts(net, plan.spare, plan.bridges).empty()) plan.spare = ceiling;
  }
  trim_spare(net, plan.spare, plan.bridges, search_over);
  plan.cost = cost_of(net, plan.spare);
  plan.lower_bound = static_cast<long long>(std::ceil(plan.lp_bound - 1e-6));
  progress.plan(plan.cost, plan.lower_bound);

  // The search solves the linear program again at its root, beyond the reach
  // of its own time limit: it starts only with twice that time left.
  const bool search_fits = clock.search_left() > 0 && clock.search_left() >= 2 * lp_seconds;
  if (plan.cost > plan.lower_bound && !search_fits && plan.note.empty())
    plan.note = text_printf("the search stopped at the time limit of %g s", clock.limit());
  if (plan.cost > plan.lower_bound && search_fits) {
    MipOptions mip_options;
    mip_options.seconds = clock.search_left();
    progress.follow(mip_options);
    for (std::size_t k = 0; k < net.spans.size(); ++k) {
      mip_options.start_columns.push_back(static_cast<int>(k));
      mip_options.start_values.push_back(static_cast<double>(plan.spare[k] - net.spans[k].spare));
    }
    const MipResult mip = solve_with_cbc(model, mip_options);
    if (mip.has_solution) {
      std::vector<long long> found = spare_from(net, mip.values, false);
      if (short_cuts(net, found, plan.bridges).empty()) {
        // Within the proof's reserve: the trimming stops at the limit itself.
        trim_spare(net, found, plan.bridges, [&] { return clock.elapsed() >= clock.limit(); });
        if (cost_of(net, found) < plan.cost) {
          plan.spare = found;
          plan.cost = cost_of(net, found);
        }
      }
      plan.lower_bound = std::max(plan.lower_bound, static_cast<long long>(std::ceil(mip.bound - 1e-6)));
      if (mip.optimal) plan.lower_bound = std::max(plan.lower_bound, std::llround(mip.objective));
      progress.plan(plan.cost, plan.lower_bound);
    }
    if (!mip.optimal && plan.note.empty())
      plan.note = text_printf("the search stopped at the time limit of %g s", clock.limit());
  }
  plan.lower_bound = std::min(plan.lower_bound, plan.cost);
  plan.optimal = plan.cost == plan.lower_bound;
  if (plan.optimal) plan.note.clear();
  return plan;
}
