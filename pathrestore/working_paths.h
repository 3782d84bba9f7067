// The working paths of a study: a path list (netrestore's form, one line per
// working channel, as netimport and capplan --routes write it) resolved
// against the network. Each path is its node sequence and the spans it
// crosses; paths with the same two ends, in either order, form a demand.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "error.h"
#include "network.h"

namespace pathrestore {

struct WorkingPath {
  std::vector<int> nodes;  // node numbers, as the line names them
  std::vector<int> spans;  // indexes into the network's spans: spans[j] joins nodes[j] and nodes[j + 1]
  int demand = 0;          // index into WorkingPaths::demands
  int line = 0;            // in the path list
};

struct Demand {
  int from = 0, to = 0;    // end nodes, as the demand's first path runs
  std::vector<int> paths;  // indexes into WorkingPaths::paths, in file order
};

struct WorkingPaths {
  std::vector<WorkingPath> paths;
  std::vector<Demand> demands;                // in the order of their first paths
  std::vector<std::vector<int>> paths_on_span;  // per span index: the paths that cross it
  std::vector<std::vector<int>> paths_at_node;  // per node number: the paths through it or ending there
  std::vector<int> unused_working;              // per span index: working channels no path crosses
};

// Reads the path list `text` of `file` over `net` (`nodes_file` names the
// node list in messages). Refused with the line: an empty line, a line not
// ended by 45, a path of one node, a node not in the node list, a node
// visited twice, two consecutive nodes no span joins; then, once every line
// is read, the first path that crosses a span beyond its working channels
// (naming the span and both counts). Between two nodes joined by parallel
// spans, paths fill the spans in file order.
Error read_working_paths(std::string_view text, const std::string& file, const std::string& nodes_file,
                         const Network& net, WorkingPaths& out);

// "working channels no path crosses take no part: span 3 (A-B) 2 of 7, ...",
// or "" when every working channel carries a path.
std::string unused_working_text(const Network& net, const WorkingPaths& paths);

}  // namespace pathrestore
