// The study folder that netimport writes: the node list, the netdata file,
// the path list routeweave reads, the span list linkweave reads, and
// import.txt, the account of what was read and decided.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "distance.h"
#include "error.h"
#include "raw_network.h"
#include "routing.h"
#include "tidy.h"

enum class CostKind { kKm, kMiles, kHops, kUnit };

struct StudyOptions {
  std::optional<DemandModel> demand;  // the form's own default when empty
  std::optional<long long> channels;
  double spare_ratio = 0.0;
  CostKind cost = CostKind::kKm;
  bool force = false;
};

struct StudyTexts {
  std::string nodes;    // nodes.txt
  std::string netdata;  // net.dat
  std::string paths;    // paths.txt
  std::string spans;    // spans.txt
  std::string account;  // import.txt: its title, the version that wrote it, then what was read and decided
  std::vector<std::string> notes;  // one line each on standard error
  std::string summary;  // one line on standard output
};

// Everything the study folder will hold, or why the network gives none.
Error make_study(const RawNetwork& raw, const StudyOptions& options, StudyTexts& out);

// The files named `file names` of the folder, written only when none of them
// exists (unless `force`) and none is one of the inputs.
Error write_study(const std::string& folder, const std::vector<std::string>& inputs, bool force, const StudyTexts& texts);
