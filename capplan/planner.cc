#include "planner.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <thread>

#include "arc_flow.h"
#include "cut_model.h"
#include "first_plan.h"
#include "linear_model.h"
#include "restoration.h"
#include "route_model.h"
#include "run_clock.h"

namespace capplan {

using lpsolve::LinearModel;

namespace {

// Up to this many spans the arc-flow model is solved; beyond, the model over
// cut rows. Below it both take a fraction of a second; above, the cut rows
// are the faster, by ten times at 68 spans and more beyond
// (bench/capplan_grows.sh).
constexpr int kArcFlowSpans = 40;

int threads() { return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u)); }

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

// A linear program grown within the search's time (`Grower`: RouteModel or
// CutModel, whose `grown` it holds, named by `what`): true when it was
// solved at least over what it started with, its spare then the values of
// the search's linear answer and `model` the model over what was grown.
template <class Grower>
bool solve_grown(Grower& grower, int (Grower::*count)() const, Grown grown, const char* what, PlanSearch& search,
                 Plan& plan, LinearModel& model) {
  const RunClock& clock = search.clock();
  const double start = clock.elapsed();
  const bool solved = grower.grow([&] { return clock.search_over(); });
  plan.grown = (grower.*count)();
  plan.rounds = grower.rounds();
  if (!solved) {
    plan.fault = Error::of(std::string("Clp failed on the linear program over ") + what);
    plan.note = "the linear program was not solved: " + plan.fault.text();
    return false;
  }
  if (grower.rounds() == 0) {
    plan.note = "the linear program was not solved: the time ran out before its first solve";
    return false;
  }
  search.grown_linear(grower.bound(), grower.solved(), clock.elapsed() - start, grower.spare(), grown);
  model = grower.model();
  return true;
}

// The linear program over restoration routes or, given `rows`, over them.
bool solve_grown(const SpanNetwork& net, const std::vector<int>& cuts, CutModel* rows, PlanSearch& search, Plan& plan,
                 LinearModel& model) {
  if (rows) return solve_grown(*rows, &CutModel::rows, Grown::rows, "cut rows", search, plan, model);
  RouteModel routes(net, cuts);
  return solve_grown(routes, &RouteModel::routes, Grown::columns, "restoration routes", search, plan, model);
}

}  // namespace

Plan plan_spare(const SpanNetwork& net, const PlanOptions& options) {
  Plan plan;
  PlanSearch search(options, plan);
  const RunClock& clock = search.clock();
  const auto search_over = [&] { return clock.search_over(); };
  plan.bridges = find_bridges(net);
  plan.model = options.model != LpModel::automatic               ? options.model
               : static_cast<int>(net.spans.size()) > kArcFlowSpans ? LpModel::cut
                                                                      : LpModel::arc;
  std::vector<int> cuts;
  for (int f = 0; f < static_cast<int>(net.spans.size()); ++f)
    if (net.spans[f].working > 0 && std::find(plan.bridges.begin(), plan.bridges.end(), f) == plan.bridges.end())
      cuts.push_back(f);
  // The ceiling on every span restores every cut that has another route.
  std::vector<long long> ceiling;
  for (const PlanSpan& s : net.spans) ceiling.push_back(s.spare + spare_ceiling(net));
  // A first plan without the linear program, in hand before it starts, in
  // case the time runs out before it is solved. It may take a tenth of the
  // search's time to improve, before the linear program has the rest.
  RoutedPlan routed(net, cuts);
  const double routed_until = clock.elapsed() + 0.1 * clock.search_left();
  routed.improve([&] { return clock.elapsed() >= routed_until; });
  if (routed.routed()) search.progress().plan(cost_of(net, routed.spare()), 0);
  plan.spare = ceiling;
  LinearModel model;
  std::unique_ptr<CutModel> rows;
  if (plan.model == LpModel::cut) rows = std::make_unique<CutModel>(net, cuts, threads());
  const bool solved = plan.model != LpModel::arc ? solve_grown(net, cuts, rows.get(), search, plan, model)
                                                 : search.solve_linear(model = arc_flow_model(net, cuts));
  if (solved) {
    std::vector<long long> rounded = spare_from(net, search.linear().values, true);
    // Cut rows stopped short of the optimum leave cuts short: repaired.
    if (plan.model == LpModel::cut) repair_spare(net, rounded, plan.bridges);
    if (short_cuts(net, rounded, plan.bridges).empty()) plan.spare = rounded;
  } else {
    routed.improve(search_over);
    plan.spare = routed.routed() ? routed.spare() : ceiling;
    if (!short_cuts(net, plan.spare, plan.bridges).empty()) plan.spare = ceiling;
  }
  trim_spare(net, plan.spare, plan.bridges, search_over);
  plan.cost = cost_of(net, plan.spare);
  search.progress().plan(plan.cost, std::min(plan.lower_bound, plan.cost));

  // Over cut rows, a solution that breaks rows not found has them join,
  // and the search runs again over them, while it ends in time: each run's
  // bound holds, and a solution that breaks none is the least plan.
  for (bool again = true; again;) {
    again = false;
    std::vector<double> start;
    for (std::size_t k = 0; k < net.spans.size(); ++k) start.push_back(static_cast<double>(plan.spare[k] - net.spans[k].spare));
    search.search(model, start, [&](const std::vector<double>& values) {
      std::vector<long long> found = spare_from(net, values, false);
      if (rows) {
        std::vector<double> whole(found.size());
        for (std::size_t k = 0; k < found.size(); ++k) whole[k] = static_cast<double>(found[k] - net.spans[k].spare);
        again = rows->add_broken_rows(whole) && !clock.search_over();
        repair_spare(net, found, plan.bridges);
      }
      if (!short_cuts(net, found, plan.bridges).empty()) return;
      // Within the proof's reserve: the trimming stops at the limit itself.
      trim_spare(net, found, plan.bridges, [&] { return clock.elapsed() >= clock.limit(); });
      if (cost_of(net, found) < plan.cost) {
        plan.spare = found;
        plan.cost = cost_of(net, found);
      }
    });
    if (again) model = rows->model();
  }
  search.finish();
  return plan;
}

}  // namespace capplan
