// Shared backup path protection and dedicated 1+1 protection: each working
// path gets one backup route, fixed in advance, that no scenario which
// affects the path also fails (it avoids the failed spans and nodes of
// every such scenario). A span's spare is, under shared protection, the
// most backup channels that any one scenario activates on it; under 1+1,
// every backup crossing it.
#pragma once

#include <vector>

#include "error.h"
#include "network.h"
#include "plan_search.h"
#include "scenario.h"
#include "working_paths.h"

namespace capplan {

struct BackupStudy {
  const pathrestore::Network* net = nullptr;
  const pathrestore::WorkingPaths* paths = nullptr;
  const std::vector<pathrestore::Scenario>* scenarios = nullptr;
  std::vector<long long> cost;  // per span index: of one spare channel
  std::vector<long long> kept;  // per span index: spare that stays (--keep-spare), else 0
  bool dedicated = false;       // 1+1: each backup has spare of its own
};

struct BackupDesign : PlanBounds {
  // Per path of the path list, in its order: the backup route's node
  // numbers from the path's first node to its last; empty for a path that
  // no backup route protects.
  std::vector<std::vector<int>> backups;
  std::vector<int> unprotected;  // the paths (indexes) that no route protects
  std::vector<long long> spare;  // per span index: kept spare plus planned spare
  // PlanBounds: cost (of the added spare), the lower bound, optimal, note, fault.
};

// The least-cost backups and spare, within the options' time.
BackupDesign plan_backups(const BackupStudy& study, const PlanOptions& options);

// The proof, apart from how the plan was found: each backup joins its
// path's ends, visits no node twice, crosses spans that exist, and fails in
// no scenario that affects its path; each span's spare holds its kept spare
// and the backups every scenario activates on it (1+1: all that cross it).
// The first fault found, or no error.
Error check_backups(const BackupStudy& study, const BackupDesign& design);

}  // namespace capplan
