// The integral restoration of one scenario: a multi-commodity flow in whole
// channels, each affected demand routed between its own two ends over the
// capacities the scenario leaves (scenario.h), a channel of capacity
// carrying one restoration path in either direction.
//
// 1. Greedy: the demands in order of the fewest spans between their ends
//    (then in demand order), each routed in turn over its fewest-span route
//    with capacity left, as many channels as that route takes, until it is
//    restored or no route is left.
// 2. When that leaves affected paths unrestored: the linear program of the
//    scenario over restoration routes, grown by column generation (a new
//    route per demand priced by the shortest route under the capacity rows'
//    prices, Clp from the last basis). Its bound is a dual solution's value
//    (the capacities at the row prices plus each demand's affected count at
//    one less the price of its cheapest route), so it stays a true upper
//    bound whenever the generation stops.
// 3. When the greedy figure is below the bound rounded down: the linear
//    solution rounded down and topped up greedily, then the integer program
//    over the routes generated (CBC, from the best so far, within a limit).
//    The best of the three is kept.
// With a limit on the spans of a route, every step keeps to it, the pricing
// included (the least-price route of at most that many spans), so that the
// bound is the linear optimum over routes within the limit.
#pragma once

#include <vector>

#include "network.h"
#include "scenario.h"

namespace pathrestore {

// A restoration route: its nodes from one end of its demand to the other,
// and the channels it carries.
struct Route {
  std::vector<int> nodes;
  long long channels = 0;
};

struct RestoreOptions {
  int max_spans = 0;        // the most spans a route may have; 0 for no limit
  double ip_seconds = 10;   // the integer program's time limit, per scenario
};

// How the restored figure was reached.
enum class RestoreStep { greedy, rounding, integer_program };

struct ScenarioResult {
  long long restored = 0;
  double bound = 0.0;  // the largest fractional restoration (equal to the affected count when greedy restores all)
  RestoreStep step = RestoreStep::greedy;
  std::vector<Route> routes;      // by demand in the problem's order, each from the demand's `from` to its `to`
  std::vector<int> route_demand;  // per route: index into the problem's demands
  std::vector<long long> restored_per_demand;  // per demand of the problem
};

ScenarioResult restore(const Network& net, const ScenarioProblem& problem, const RestoreOptions& options);

}  // namespace pathrestore
