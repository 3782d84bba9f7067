// The plan: the least-cost whole spare channels, on top of the spare that is
// kept, with which every cut that can be restored is restored in full.
//
// The arc-flow model (arc_flow.h) is solved first as a linear program: its
// optimum is the lower bound no plan, over any restoration routes, can beat.
// Its spare, rounded up, restores every cut; trimmed channel by channel
// (restoration.h), it is the first plan. CBC then searches for a cheaper
// one, starting from it, within what is left of the time limit. Should the
// time run out before the linear program is solved, the first plan routes
// the cuts one by one instead (first_plan.h). The last share of the limit
// is kept for the final trimming and the proof (run_clock.h).
#pragma once

#include <string>
#include <vector>

#include "span_network.h"

class RunClock;
class Progress;

struct PlanOptions {
  double seconds = 60;           // for the whole search, linear program included
  const RunClock* clock = nullptr;  // the run's clock, when it started before the plan (else one of `seconds`)
  Progress* progress = nullptr;     // where progress is shown (else nowhere)
};

struct Plan {
  std::vector<long long> spare;  // per span: kept spare plus added spare
  std::vector<int> bridges;      // spans (0-based) whose cuts no spare restores
  long long cost = 0;            // of the added spare
  double lp_bound = 0;           // optimum of the linear program over arc flows (0 when it was not solved)
  long long lower_bound = 0;     // no plan costs less: the best bound proved, rounded up to a whole cost
  bool optimal = false;          // cost == lower_bound
  std::string note;              // how the search ended, when it did not prove the plan optimal
};

Plan plan_spare(const SpanNetwork& net, const PlanOptions& options);

// The gap between a plan's cost and its lower bound, in percent of the bound
// (0 for a plan of cost 0; -1 when the bound is 0 and the cost is not).
double gap_percent(long long cost, double bound);
