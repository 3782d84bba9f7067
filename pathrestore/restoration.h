// The integral restoration of one scenario: a multi-commodity flow in whole
// channels, each affected demand routed between its own two ends over the
// capacities the scenario leaves (scenario.h), a channel of capacity
// carrying one restoration path in either direction.
//
// 1. Greedy, one channel at a time, in the manner of the multiplicative-
//    weights algorithms for multi-commodity flow: a link is as long as
//    exp(10 x used / capacity), and in rounds of a threshold on length that
//    doubles each round, each demand (fewest spans between its ends first,
//    then in demand order) takes its shortest route with capacity left while
//    that route is within the threshold: short routes over empty links
//    first, crowded ones last.
// 2. When that leaves affected paths unrestored: the linear program of the
//    scenario over restoration routes, grown by column generation (a new
//    route per demand priced by the shortest route under the capacity rows'
//    prices, Clp from the last basis). Its bound is a dual solution's value
//    (the capacities at the row prices plus each demand's affected count at
//    one less the price of its cheapest route), so it stays a true upper
//    bound whenever the generation stops. The program is solved first for a
//    part of the scenario: the demands the greedy routes left short or
//    routed over a link they filled, the others held on their routes. Its
//    prices bound the whole scenario, and often prove the greedy figure;
//    when they do not, the demands whose held routes they charge join the
//    part, until the part's optimum (with the held routes) meets the bound.
// 3. When the greedy figure is below the bound rounded down: the linear
//    solution rounded down, then up where capacity is left (largest
//    fractions first), then topped up greedily; and if still below, the
//    integer program over the routes the linear solution uses (CBC, within a
//    time limit). The best is kept.
// With a limit on the spans of a route, every step keeps to it, the pricing
// included (the least-price route of at most that many spans), so that the
// bound is the linear optimum over routes within the limit.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "links.h"
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
  // The bound must be the linear optimum (to be shown), not only a bound
  // that proves the restoration the best.
  bool exact_bound = false;
};

// How the restored figure was reached.
enum class RestoreStep { greedy, rounding, integer_program };

struct ScenarioResult {
  long long restored = 0;
  // An upper bound on any restoration: the largest fractional restoration
  // when the options ask for the exact bound, or the restoration is
  // complete, or it equals restored.
  double bound = 0.0;
  RestoreStep step = RestoreStep::greedy;
  std::vector<Route> routes;      // by demand in the problem's order, each from the demand's `from` to its `to`
  std::vector<int> route_demand;  // per route: index into the problem's demands
  std::vector<long long> restored_per_demand;  // per demand of the problem
};

ScenarioResult restore(const Network& net, const ScenarioProblem& problem, const RestoreOptions& options);

// The linear restoration of one scenario over link capacities that may be
// fractional, for a planner that asks it again and again under other
// capacities: the linear program of step 2 over every demand given, solved
// out, its routes kept from one call to the next (a call starts from every
// route found before). `bound` is the dual value of `price` (per link, 0 or
// more): the capacities at their prices plus each demand's affected count at
// one less the price of its cheapest route, when above 0. Any such prices
// bound every restoration from above, and so, for any capacities c,
//   sum over links of price x c  >=  sum over the demands of affected x
//                                    min(1, price of its cheapest route)
// holds whenever every affected path is restored: with these prices, that
// sum is the total affected less `bound` plus the prices times the
// capacities given.
struct LinearRestoration {
  bool solved = false;       // solved out: `bound` meets `restored`
  double restored = 0;       // the linear restoration reached (the optimum, when solved out)
  double bound = 0;          // of `price`: no restoration exceeds it
  std::vector<double> price; // per link
};

class RestorationLp {
 public:
  // `g` and `p` must outlive it; `demands` index p.demands.
  RestorationLp(const Links& g, const ScenarioProblem& p, std::vector<int> demands, int max_spans);
  ~RestorationLp();
  RestorationLp(RestorationLp&&) noexcept;
  RestorationLp(const RestorationLp&) = delete;
  RestorationLp& operator=(const RestorationLp&) = delete;

  // Solved out, unless `deep` is above 0: then it stops as soon as the
  // bound falls short of every affected path by more than `margin` and by
  // at least `deep` times what the restoration reached falls short by (the
  // prices show a shortfall near the least, which is all a cut needs); or
  // after `rounds` solves (0: no limit but pathrestore's own), the routes
  // priced in kept for the next call.
  LinearRestoration solve(const std::vector<double>& capacity, double deep = 0, double margin = 0, int rounds = 0);
  int routes() const;  // the routes found so far

 private:
  struct Pool;
  const Links& g_;
  const ScenarioProblem& p_;
  std::vector<int> demands_;
  int max_spans_;
  std::unique_ptr<Pool> pool_;
};

// A scenario's routes as lines of the routes file (studyfiles/routes_file.h),
// the scenario named by its kind and name, the nodes by their names.
std::string format_routes(const std::string& kind, const std::string& name, const std::vector<Route>& routes,
                          const Network& net);

}  // namespace pathrestore
