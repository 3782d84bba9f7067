// The solver's path report PATH.OUT rewritten with node names as PATH.L,
// echoed on standard output and filed in the cut directory.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "network.h"

struct PathReport {
  int from = 0;  // the two end nodes that the report's first line gives
  int to = 0;
  std::string path_l;  // the whole PATH.L text
  std::string echo;    // its lines after the title, for standard output
};

// Converts a PATH.OUT text. A report that ends early is converted up to its
// end (a path cut short is closed); empty when the first line does not give
// the two end nodes.
std::optional<PathReport> convert_report(std::string_view path_out, const studyfiles::NodeList& nodes);

// The cut directory of a netdata file, as a shell word: the name with .ls
// appended.
std::string cut_directory_word(const std::string& netdata_name);

// The copy of a cut's report in the cut directory: <netdata>.ls/<from>_<to>cut.l.
std::string report_copy_name(const std::string& netdata_name, const studyfiles::NodeList& nodes,
                             const PathReport& report);

// Converts PATH.OUT into PATH.L, echoes it and copies it into the cut
// directory as <from>_<to>cut.l; stops the run when PATH.OUT is missing or
// PATH.L cannot be written.
void convert(const std::string& netdata_name, const studyfiles::NodeList& nodes);
