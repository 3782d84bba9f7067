// The plan: the least-cost whole spare channels, on top of the spare that is
// kept, with which every cut that can be restored is restored in full.
//
// The arc-flow model (arc_flow.h) is solved first as a linear program: its
// optimum is the lower bound no plan, over any restoration routes, can beat.
// On a large network its flow columns are too many: the same program over
// cut inequalities is grown by row generation instead (cut_model.h), its
// optimum the same, its bound the optimum over the rows found should the
// time run out first; CBC's search over those rows may raise the bound, and
// its solutions are repaired into plans. Over restoration routes grown by
// column generation (route_model.h), on request, the bound is Lagrangian
// should the time run out first, and CBC's search is over the routes grown
// only.
// Its spare, rounded up, restores every cut; trimmed channel by channel
// (restoration.h), it is the first plan. CBC then searches for a cheaper
// one, starting from it, within what is left of the time limit. Should the
// time run out before the linear program is solved, the first plan routes
// the cuts one by one instead (first_plan.h). The last share of the limit
// is kept for the final trimming and the proof (run_clock.h). The steps
// every planner shares are plan_search.h's.
#pragma once

#include <vector>

#include "plan_search.h"
#include "span_network.h"

namespace capplan {

struct Plan : PlanBounds {
  std::vector<long long> spare;  // per span: kept spare plus added spare
  std::vector<int> bridges;      // spans (0-based) whose cuts no spare restores
  // The linear program solved: over arc flows, or grown over restoration
  // routes (path, route_model.h) or cut rows (cut, cut_model.h); then the
  // routes or rows in it, and its rounds of solving and growing.
  LpModel model = LpModel::arc;
  int grown = 0;
  int rounds = 0;
  // PlanBounds: cost (of the added spare), the LP bound over arc flows, the
  // lower bound, optimal, note, fault.
};

Plan plan_spare(const SpanNetwork& net, const PlanOptions& options);

}  // namespace capplan
