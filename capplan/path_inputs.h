// What every plan over working paths starts from: the network, its working
// paths and scenarios, and per span the cost of a spare channel and the
// spare that stays. The path-restorable plan and the backup plans each add
// their own choices to it.
#pragma once

#include <vector>

#include "network.h"
#include "scenario.h"
#include "working_paths.h"

namespace capplan {

struct PathInputs {
  const pathrestore::Network* net = nullptr;
  const pathrestore::WorkingPaths* paths = nullptr;
  const std::vector<pathrestore::Scenario>* scenarios = nullptr;
  std::vector<long long> cost;  // per span index: of one spare channel
  std::vector<long long> kept;  // per span index: spare that stays (--keep-spare), else 0
};

}  // namespace capplan
