#include "plan_search.h"

#include <algorithm>

#include "plan_bounds.h"
#include "text_format.h"

namespace capplan {

using lpsolve::LinearModel;
using lpsolve::MipOptions;
using lpsolve::MipResult;

PlanSearch::PlanSearch(const PlanOptions& options, PlanBounds& plan)
    : own_clock_(options.seconds),
      clock_(options.clock ? *options.clock : own_clock_),
      quiet_(clock_, false),
      progress_(options.progress ? *options.progress : quiet_),
      solve_(options.solve),
      plan_(plan) {}

bool PlanSearch::solve_linear(const LinearModel& model, bool final) {
  MipOptions options;
  options.seconds = clock_.search_left();
  options.relaxation_only = true;
  options.tick = [this] { progress_.tick(); };
  const double start = clock_.elapsed();
  linear_ = solve_(model, options);
  linear_seconds_ = clock_.elapsed() - start;
  if (linear_.failed) plan_.fault = linear_.error;
  if (!linear_.optimal) {
    plan_.lp_bound = 0;
    plan_.lower_bound = 0;
    plan_.note = "the linear program was not solved: " + linear_.error.text();
    return false;
  }
  plan_.lp_bound = std::max(0.0, linear_.objective);
  plan_.lower_bound = whole_bound(plan_.lp_bound);
  plan_.note.clear();
  search_bounds_ = true;
  solutions_are_plans_ = true;
  if (final) tell_linear();
  return true;
}

void PlanSearch::grown_linear(double bound, bool optimum, double seconds, const std::vector<double>& values,
                              Grown grown) {
  linear_ = {};
  linear_.optimal = true;
  linear_.has_solution = true;
  linear_.values = values;
  linear_.objective = std::max(0.0, bound);
  linear_seconds_ = seconds;
  search_bounds_ = grown == Grown::rows;
  solutions_are_plans_ = grown == Grown::columns;
  plan_.lp_bound = optimum ? linear_.objective : 0;
  plan_.lower_bound = whole_bound(bound);
  plan_.note.clear();
  if (optimum)
    progress_.lp_bound(plan_.lp_bound);
  else if (grown == Grown::columns)
    plan_.note = text_printf("the linear program over restoration routes stopped at the time limit of %g s before its"
                             " optimum: the lower bound is its Lagrangian bound",
                             clock_.limit());
  else
    plan_.note = text_printf("the linear program over cut rows stopped at the time limit of %g s before its"
                             " optimum: the lower bound is its optimum over the rows found",
                             clock_.limit());
}

void PlanSearch::tell_linear() {
  if (linear_.optimal) progress_.lp_bound(plan_.lp_bound);
}

void PlanSearch::stopped_at_the_limit() {
  if (plan_.note.empty()) plan_.note = text_printf("the search stopped at the time limit of %g s", clock_.limit());
}

void PlanSearch::search(const LinearModel& model, const std::vector<double>& start,
                        const std::function<void(const std::vector<double>&)>& take) {
  if (!linear_.optimal || plan_.cost <= plan_.lower_bound || plan_.fault) return;
  if (clock_.search_over() || clock_.search_left() < 2 * linear_seconds_) {
    stopped_at_the_limit();
    return;
  }
  MipOptions options;
  options.seconds = clock_.search_left();
  progress_.follow(options);
  // A model of grown columns (and rows): its solutions and bounds are no
  // news of the plan's; the planner tells of the plans it makes of them.
  if (!search_bounds_ || !solutions_are_plans_) options.improved = nullptr;
  for (std::size_t c = 0; c < start.size(); ++c) {
    options.start_columns.push_back(static_cast<int>(c));
    options.start_values.push_back(start[c]);
  }
  const MipResult mip = solve_(model, options);
  if (mip.failed) {
    plan_.fault = mip.error;
    return;
  }
  if (mip.has_solution) {
    take(mip.values);
    if (search_bounds_) plan_.lower_bound = std::max(plan_.lower_bound, whole_bound(mip.bound));
  }
  if (mip.optimal && search_bounds_) plan_.lower_bound = std::max(plan_.lower_bound, whole_bound(mip.objective));
  if (!mip.optimal) stopped_at_the_limit();
  if (mip.optimal && !search_bounds_ && plan_.note.empty())
    plan_.note = "the search proved the plan the least over the routes grown, not over every route";
  progress_.plan(plan_.cost, std::min(plan_.lower_bound, plan_.cost));
}

void PlanSearch::finish() {
  if (!plan_.fault && plan_.lower_bound > plan_.cost)
    plan_.fault = Error::of(text_printf("the solver proved a lower bound of %lld, above the cost %lld of a plan in hand:"
                                        " a fault of the solver",
                                        plan_.lower_bound, plan_.cost));
  plan_.optimal = !plan_.fault && plan_.cost == plan_.lower_bound;
  if (plan_.optimal) plan_.note.clear();
  if (!plan_.fault) progress_.plan(plan_.cost, plan_.lower_bound);
}

}  // namespace capplan
