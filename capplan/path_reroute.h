// The path-restorable plan improved by rerouting one scenario at a time
// (successive survivable routing, Liu, Tipper and Siripongwutikorn, carried
// over from backup routes to whole restorations): the spare a plan needs
// is, on each span, the most that any scenario's restoration puts there
// beyond the channels it finds released and kept. A scenario's routes are
// taken up and each affected path routed again, one channel at a time,
// over the least-cost route, where a link whose spare (the most the other
// scenarios need, and what this one's routes so far leave) still holds a
// channel costs only a hop, and a full one its cheapest span's cost. The
// new routes stay when the plan costs no more with them. Passes over every
// scenario go on until one lowers the cost no more, or the time is up.
//
// Every restoration stays integral and within its capacities: the plan
// that comes out is proved like any other, its routes the restorations.
#pragma once

#include <functional>
#include <vector>

#include "path_model.h"
#include "path_plan.h"

namespace capplan {

// From the plan `added` (per span, beyond the kept spare) and its
// restorations (per scenario, every restorable affected path restored),
// both improved in place; `stop` is asked between scenarios. The passes
// made.
int reroute_plan(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, std::vector<long long>& added,
                 std::vector<std::vector<pathrestore::Route>>& restorations, const std::function<bool()>& stop);

}  // namespace capplan
