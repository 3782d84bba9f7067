// capplan's runs over a path list: the path-restorable plan (--method path)
// and the backup designs (--method sbpp, dedicated). Each reads the path
// list and the groups file as pathsweep does, builds the failure scenarios,
// plans, proves the plan before anything is written, writes PLANNED and its
// own file, and prints the summary every plan prints.
#pragma once

#include <chrono>
#include <string>

#include "netdata.h"
#include "node_list.h"
#include "plan_search.h"
#include "scenario.h"
#include "span_network.h"
#include "study.h"

namespace capplan {

enum class PathMethod { path, sbpp, dedicated };

struct PathRunOptions {
  PathMethod method = PathMethod::path;
  std::string paths;                // --paths
  std::string groups;               // --groups
  pathrestore::FailKinds fail{true, false, false};
  std::string fail_text = "spans";  // as given to --fail
  bool stub_release = false;        // --stub-release (path)
  int max_spans = 0;                // --max-spans (path)
  std::string restoration;          // --restoration FILE (path)
  std::string backups;              // --backups FILE (sbpp, dedicated)
};

// The whole run after the node list and the netdata file are read and
// taken as spans; returns the exit status (0 planned and proved; 2 the same,
// but some demand has no surviving route in some scenario, or some path no
// backup; 1 a failure, nothing written when it comes before the writing).
int run_path_method(const PathRunOptions& options, const StudyNames& inputs, const std::string& planned,
                    const studyfiles::NodeList& nodes, const studyfiles::Netdata& net, const SpanNetwork& spans,
                    bool kept_spare, const PlanOptions& plan_options, std::chrono::steady_clock::time_point start);

}  // namespace capplan
