// What every planner shares (the span-restorable plan, the p-cycle plan and
// the joint plan): the run's clock, or one of its own, and its progress, or
// a silent stand-in; the linear program within the time left, whose optimum
// is the lower bound; the search for a cheaper plan, started from the plan
// in hand, only while twice the linear program's time is left (its first
// step solves that program again, beyond the reach of its own limit); and
// the closing: a bound above the plan's cost is a fault, never "optimal",
// and the note says how the search ended. Each planner keeps only what is
// its own: its model, its first plan, and what it makes of a solution.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cbc_mip.h"
#include "error.h"
#include "linear_model.h"
#include "run_clock.h"

namespace capplan {

// The linear program of the span-restorable plan: over arc flows
// (arc_flow.h), over restoration routes grown by column generation
// (route_model.h), over cut inequalities grown by row generation
// (cut_model.h), or the one that suits the network's size.
enum class LpModel { automatic, arc, path, cut };

// What a linear program grown by a planner leaves out: columns (routes not
// priced in: a search over it bounds nothing beyond them, though its
// solutions are plans) or rows (cut inequalities not found: a search over
// it bounds every plan, though its solutions may break a row not found, and
// are plans only once the planner repairs them).
enum class Grown { columns, rows };

struct PlanOptions {
  double seconds = 60;              // for the whole search, linear program included
  const RunClock* clock = nullptr;  // the run's clock, when it started before the plan (else one of `seconds`)
  Progress* progress = nullptr;     // where progress is shown (else nowhere)
  lpsolve::MipSolver solve = lpsolve::solve_with_cbc;  // the solver of the linear program and of the search
  LpModel model = LpModel::automatic;  // the span-restorable plan's linear program
};

// A plan's cost and what is proved of it, whatever planner made it.
struct PlanBounds {
  long long cost = 0;         // of the plan
  double lp_bound = 0;        // optimum of the linear program (0 when it was not solved)
  long long lower_bound = 0;  // no plan costs less: the best bound proved, rounded up to a whole cost
  bool optimal = false;       // cost == lower_bound
  std::string note;           // how the search ended, when it did not prove the plan optimal
  // The solver failed, or proved a bound above the plan's cost, which no
  // sound solver does: no figure of the run can be trusted, and nothing is
  // written.
  Error fault;
};

class PlanSearch {
 public:
  // The planner's own plan is `plan`: its cost is kept up to date by the
  // planner, its bounds, note and fault by the search.
  PlanSearch(const PlanOptions& options, PlanBounds& plan);
  PlanSearch(const PlanSearch&) = delete;
  PlanSearch& operator=(const PlanSearch&) = delete;

  const RunClock& clock() const { return clock_; }
  Progress& progress() { return progress_; }
  const lpsolve::MipSolver& solver() const { return solve_; }

  // Solves the linear program of `model` within the search's time left.
  // Solved, its optimum (never below 0) is the plan's LP bound and, rounded
  // up, its lower bound, and the progress is told of it unless the model may
  // still grow (`final` false); true. Not solved, the note says why (a
  // failure of the solver is a fault); false.
  bool solve_linear(const lpsolve::LinearModel& model, bool final = true);
  // Tells the progress of the LP bound of a model that no longer grows.
  void tell_linear();
  // The linear program a planner solved itself, `seconds` long, by growing
  // its model (`grown`: columns or rows): `bound` is what no plan costs less
  // than, the optimum when `optimum` (nothing was left to grow), else a bound
  // met on the way (the note says so). Over grown columns, the search that
  // follows proves nothing of the columns not grown, and raises no bound;
  // over grown rows, its bound holds, but the progress is not told of its
  // solutions, which may not be plans.
  // `values`: the spare columns' values of the grown program's solution,
  // the values of linear().
  void grown_linear(double bound, bool optimum, double seconds, const std::vector<double>& values,
                    Grown grown = Grown::columns);
  // The answer of the last solve_linear (its row prices, for the p-cycles).
  // A planner that changes its model solves it again before the search: the
  // optimum of a smaller model is no bound of a larger one.
  const lpsolve::MipResult& linear() const { return linear_; }

  // The search for a plan cheaper than the one in hand, within the time left:
  // only when the linear program of this model was solved, the plan costs
  // more than its lower bound, and twice the linear program's time is left.
  // `start`: the plan in hand, as the values of the model's first columns.
  // `take` is handed the values of each solution the search ends with; it
  // makes the solution the plan, setting the plan's cost, when it is
  // cheaper. The search's bound raises the lower bound, unless the model
  // was grown (grown_linear: routes priced in, rows generated): its bound
  // bounds no plan beyond its columns, and its solutions' objective need not
  // be their plans' cost (the progress is then told of neither).
  void search(const lpsolve::LinearModel& model, const std::vector<double>& start,
              const std::function<void(const std::vector<double>&)>& take);

  // The model of the next search is a relaxation of the plan's: its bound
  // holds for every plan, but its solutions are no plans until the
  // planner makes them so (`take`), and the progress hears of them only
  // then.
  void relaxation() { solutions_are_plans_ = false; }

  // The closing steps: a bound above the plan's cost is a fault; the plan is
  // optimal when its cost meets its bound, else the note says how the
  // search ended; the progress is told of the plan.
  void finish();

 private:
  void stopped_at_the_limit();

  RunClock own_clock_;
  const RunClock& clock_;
  Progress quiet_;
  Progress& progress_;
  lpsolve::MipSolver solve_;
  PlanBounds& plan_;
  lpsolve::MipResult linear_;
  double linear_seconds_ = 0;  // how long the last linear program took
  bool search_bounds_ = true;  // the search's bound is a bound of the plan (not over grown columns only)
  bool solutions_are_plans_ = true;  // the search's solutions are plans (not over a relaxation: grown rows)
};

}  // namespace capplan
