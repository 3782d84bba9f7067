// The routes file: every restoration route of a path restoration run
// (pathsweep --routes, capplan's path designs), so that a checker can
// verify the run from it and the study's files alone. A header of lines
// that begin with '#' (the title, the program that wrote it, the files, stub
// release and the most spans of a route), then one line per route:
//
//   KIND NAME CHANNELS NODE NODE...
//
// the scenario's kind and name as the results table gives them, the
// channels the route carries, and its nodes' names from one end of its
// demand to the other.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "error.h"

namespace studyfiles {

struct RoutesHeader {
  std::string writer;  // "pathsweep (meshrestore) 1.0.0"
  std::string nodes_file, netdata_file, paths_file;
  bool stub_release = false;
  int max_spans = 0;  // 0: no limit
};

struct RouteLine {
  std::string kind, name;
  long long channels = 0;
  std::vector<std::string> nodes;
  int line = 0;
};

struct RoutesFile {
  RoutesHeader header;
  std::vector<RouteLine> routes;
};

std::string format_routes_header(const RoutesHeader& header);
// One route's line: "KIND NAME CHANNELS NODE NODE...".
std::string format_route_line(const RouteLine& route);

// Reads the file as written: the header in its order, then lines of a kind
// (span, node, group), a name, a channel count above 0 and at least two node
// names. The names are not looked up.
Error read_routes_file(std::string_view text, const std::string& file, RoutesFile& out);

}  // namespace studyfiles
