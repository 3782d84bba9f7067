// The path-restorable plan: the least-cost whole spare channels with which
// every scenario (a span, a node, a shared-risk group) is restored in full
// by path restoration: each affected working path rerouted end to end over
// the spare of the surviving spans (and, with stub release, the channels
// the hit paths held there), avoiding the failed nodes.
//
// The model, per scenario s and surviving link l (the spans between two
// nodes), and per demand d the scenario affects:
//   minimise   sum over spans e of cost[e] x added[e]
//   subject to sum of the routes of (s, d)           >= affected(s, d)
//              routes of s over l - added spare on l <= kept spare + released channels on l
// over route columns priced in, per scenario and demand, by the least-price
// route under the capacity rows' prices in the surviving network (within
// the limit on spans): no route is enumerated. Solved out, the linear
// program's optimum is the lower bound over every route; stopped early, a
// Lagrangian bound is: of the prices of the best bound met, raised by
// subgradient ascent (the spare boxed by the most channels any scenario
// restores, which no plan needs more of on a span).
//
// From 12000 rows of that program on, it is solved by cuts on the spare
// instead (path_cuts.h), whose master program's optimum is the bound
// whenever the cuts stop, started from the volume algorithm's cuts and
// restorable spare (path_volume.h), and whose search is over the master
// program with whole spare; its first plan is rerouted scenario by
// scenario (path_reroute.h) before the search.
//
// The plan: the linear spare rounded up, then repaired where pathrestore's
// integral restoration of some scenario falls short (its missing channels
// routed over the cheapest spare to add), then trimmed while every
// scenario's restoration stays within its capacities, then CBC over the
// generated routes from that plan, each solution proved by restoring every
// scenario. A demand whose ends no surviving route joins in a scenario is
// left out of it, and named.
#pragma once

#include <vector>

#include "error.h"
#include "path_inputs.h"
#include "plan_search.h"
#include "sweep.h"  // pathrestore's Route and restore, through its restoration.h

namespace capplan {

// The linear program of the plan: over every scenario's restoration
// routes at once, by cuts on the spare (path_cuts.h), or the one of the two
// that suits the program's size.
enum class PathLp { automatic, every_scenario, cuts, volume };

struct PathPlanStudy : PathInputs {
  bool stub_release = false;
  int max_spans = 0;  // the most spans of a restoration route; 0: any
  int pricing_rounds = 0;  // the most solves of the column generation (or of the cuts' master); 0: as many as the time allows
  PathLp lp = PathLp::automatic;
};

// A demand that a scenario affects and that no surviving route (within the
// limit on spans) restores, whatever the spare.
struct Unrestorable {
  int scenario = 0;  // index into the study's scenarios
  int demand = 0;    // index into the working paths' demands
  int affected = 0;  // its affected paths in that scenario
};

struct PathPlan : PlanBounds {
  std::vector<long long> spare;  // per span index: kept spare plus planned spare
  std::vector<Unrestorable> unrestorable;
  int routes = 0;          // restoration routes the linear program priced in
  bool priced_out = false;  // no route was left to price in: the LP bound holds over every route
  // Per scenario, the restoration routes over the planned spare, as
  // pathrestore's restoration found them.
  std::vector<std::vector<pathrestore::Route>> restorations;
  // PlanBounds: cost (of the added spare), the LP bound, the lower bound,
  // optimal, note, fault.
};

PathPlan plan_path_spare(const PathPlanStudy& study, const PlanOptions& options);

// The demands of each scenario that no surviving route within the limit on
// spans joins, whatever the spare.
std::vector<Unrestorable> unrestorable_demands(const PathPlanStudy& study);

// The proof, apart from how the plan was found: each scenario's
// restoration routes checked by pathrestore's checker over `spare`
// (capacities, failed spans and nodes avoided, right ends, the limit on
// spans), and every affected path restored but those of `unrestorable`,
// whose demands are checked to have no surviving route. The first fault
// found, or no error.
Error prove_path_plan(const PathPlanStudy& study, const std::vector<long long>& spare,
                      const std::vector<Unrestorable>& unrestorable,
                      const std::vector<std::vector<pathrestore::Route>>& restorations);

// The network with `spare` on its spans.
pathrestore::Network with_spare(const pathrestore::Network& net, const std::vector<long long>& spare);

}  // namespace capplan
