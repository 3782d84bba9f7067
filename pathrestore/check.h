// The proof of a scenario's restoration, apart from how it was found: every
// route joins the two ends of an affected demand, visits no node twice,
// passes no failed node, crosses only surviving spans, keeps to the limit on
// spans; together the routes stay within each surviving span's capacity
// (summed over parallel spans between the same two nodes), carry no demand
// beyond its affected paths, and carry `restored` channels in all.
#pragma once

#include <vector>

#include "error.h"
#include "network.h"
#include "restoration.h"
#include "scenario.h"

namespace pathrestore {

// The first fault found ("route 3 (A B C) crosses the failed span 4 (B-C)"),
// or no error. `max_spans` 0 sets no limit.
Error check_routes(const Network& net, const ScenarioProblem& problem, const std::vector<Route>& routes,
                   long long restored, int max_spans);

}  // namespace pathrestore
