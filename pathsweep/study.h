// What pathsweep reads: the node list, the bidirectional netdata file, the
// path list and, for group scenarios, the groups file, each refused in its
// reader's words (file:line) before anything is written.
#pragma once

#include <string>

#include "error.h"
#include "options.h"
#include "path_study.h"

using pathrestore::PathStudy;

Error read_path_study(const Options& o, PathStudy& out);

// The same from the files' texts (groups_text only with o.groups set).
Error path_study_of(const Options& o, const std::string& node_text, const std::string& net_text,
                    const std::string& path_text, const std::string& group_text, PathStudy& out);
