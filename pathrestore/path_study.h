// A path restoration study over the node list and netdata file already
// read: the network of the netdata's spans, the path list resolved over it
// and, for group scenarios, the groups file, each refused in its reader's
// words (file:line). pathsweep and capplan's path designs read theirs here.
#pragma once

#include <string>

#include "error.h"
#include "groups.h"
#include "netdata.h"
#include "network.h"
#include "node_list.h"
#include "spans.h"
#include "working_paths.h"

namespace pathrestore {

struct PathStudy {
  Network net;
  WorkingPaths paths;
  studyfiles::GroupsFile groups;
};

// The files' names, for the messages; `groups` empty: no groups file.
struct PathStudyFiles {
  std::string nodes, netdata, paths, groups;
};

// `path_text` is the path list's text, `group_text` the groups file's (read
// only when files.groups is set); `rules` say how the spans are read.
Error path_study_of(const studyfiles::NodeList& nodes, const studyfiles::Netdata& netdata, const PathStudyFiles& files,
                    const studyfiles::SpanRules& rules, const std::string& path_text, const std::string& group_text,
                    PathStudy& out);

}  // namespace pathrestore
