// What pathsweep reads: the node list, the bidirectional netdata file, the
// path list and, for group scenarios, the groups file, each refused in its
// reader's words (file:line) before anything is written.
#pragma once

#include <string>

#include "error.h"
#include "groups.h"
#include "network.h"
#include "options.h"
#include "working_paths.h"

struct PathStudy {
  pathrestore::Network net;
  pathrestore::WorkingPaths paths;
  studyfiles::GroupsFile groups;
};

Error read_path_study(const Options& o, PathStudy& out);
