// What the path-restorable plan's programs see of each scenario: its links
// over every surviving span, which spans make each link, and the demands it
// affects that some surviving route joins.
#pragma once

#include <vector>

#include "links.h"
#include "path_plan.h"
#include "scenario.h"

namespace capplan {

// One scenario as the plan sees it: its links over every surviving span
// (capacity: the released channels alone), which spans make each link, and
// the demands it affects that some surviving route joins.
struct ScenarioModel {
  pathrestore::ScenarioProblem problem;  // over the network without spare
  pathrestore::Links links;              // capacity: the channels released, without spare
  std::vector<int> link_of;   // per span index: its link, -1 when the span fails
  std::vector<std::vector<int>> spans_of;  // per link: its spans
  std::vector<int> demands;   // indexes into problem.demands that can be restored
  int first_link_row = 0;     // the rows of its links, then of its demands (the program over every scenario)
  int first_demand_row = 0;
};

std::vector<ScenarioModel> scenario_models(const PathPlanStudy& study);

}  // namespace capplan
