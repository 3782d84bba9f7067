// Every scenario of a study restored, on threads: each thread takes the
// next scenario as it finishes, every answer is kept in the scenario's own
// place, and a scenario's restoration depends on nothing but the scenario,
// so that the outcome is the same for any number of threads. Each
// restoration is proved (check.h) before it is kept.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "error.h"
#include "network.h"
#include "restoration.h"
#include "routes_file.h"
#include "scenario.h"
#include "working_paths.h"

namespace pathrestore {

struct ScenarioOutcome {
  int affected = 0, ending = 0;
  long long restored = 0;
  double bound = 0.0;
  RestoreStep step = RestoreStep::greedy;
  std::vector<Route> routes;
  std::vector<std::pair<int, int>> down;  // (demand, its paths left down: ending or not restored), by demand
};

struct SweepOptions {
  bool stub_release = false;
  RestoreOptions restore;
  int threads = 1;
  // Called after each scenario with the count done and the total, from the
  // thread that did it.
  std::function<void(std::size_t done, std::size_t total)> progress;
};

// One outcome per scenario, in their order; an error when a restoration
// fails its proof ("span 3: route 2 (A B C) ..."), which would be a fault
// of the program.
Error sweep(const Network& net, const WorkingPaths& paths, const std::vector<Scenario>& scenarios,
            const SweepOptions& options, std::vector<ScenarioOutcome>& out);

// Per demand, the share of its paths down at a random moment: the sum over
// scenarios of the scenario's unavailability times the demand's paths it
// leaves down, over the demand's paths.
std::vector<double> demand_unavailability(const WorkingPaths& paths, const std::vector<ScenarioOutcome>& outcomes,
                                          const std::vector<double>& scenario_unavailability);

// The routes file of a sweep: the header, then every scenario's routes, the
// span scenarios first, then the node and the group scenarios.
std::string routes_file_text(const studyfiles::RoutesHeader& header, const Network& net,
                             const std::vector<Scenario>& scenarios, const std::vector<ScenarioOutcome>& outcomes);

}  // namespace pathrestore
