// The plan: the least-cost whole spare channels, on top of the spare that is
// kept, with which every cut that can be restored is restored in full.
//
// The arc-flow model (arc_flow.h) is solved first as a linear program: its
// optimum is the lower bound no plan, over any restoration routes, can beat.
// On a large network its flow columns are too many: the same program over
// restoration routes is grown by column generation instead (route_model.h),
// its optimum the same, its bound Lagrangian should the time run out first,
// and CBC's search then is over the routes grown only.
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
  bool by_routes = false;        // the linear program was over restoration routes, grown (route_model.h)
  int routes_grown = 0;          // then: the routes in it, and its rounds of solving and pricing
  int rounds = 0;
  // PlanBounds: cost (of the added spare), the LP bound over arc flows, the
  // lower bound, optimal, note, fault.
};

Plan plan_spare(const SpanNetwork& net, const PlanOptions& options);

}  // namespace capplan
