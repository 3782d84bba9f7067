// A pathsweep table on the map: every span and node coloured by the
// restorability of its own failure, and, picked from the map or the table,
// a scenario's failed spans and node drawn with its restoration routes
// (from the routes file, when given). The summary and the CSV are
// pathsweep's own (studyfiles/path_summary.h).
#pragma once

#include <string>
#include <vector>

#include "node_list.h"
#include "page.h"
#include "path_table.h"
#include "routes_file.h"
#include "study.h"

namespace capview {

struct PathView {
  std::string nodes_file, table_file, routes_file;
  studyfiles::PathTable table;
  // The spans as the map draws them: span k is spans[k - 1], its ends the
  // node list's nodes, "working" the paths its failure affects and
  // "restored" those restored.
  std::vector<SpanResult> spans;
  // Per row of the table: the failed spans (numbers) and node (0 for none),
  // and the routes (node numbers, channels).
  struct Scenario {
    std::vector<int> spans;
    int node = 0;
    std::vector<std::pair<long long, std::vector<int>>> routes;
  };
  std::vector<Scenario> scenarios;
  std::vector<int> node_row;  // per node number (index 0 unused): its row, or -1
  std::string groups_note;    // why the groups' spans are not drawn, or ""
};

// Places the table on the node list: span ends and node rows must name
// nodes of the list (else the table is of another network); the routes
// file, when given, must be of the same run, each route of a row of the
// table and over nodes of the list. The groups file the table names is read
// for the spans of its groups; when it cannot be, the page says so. Returns
// the message that names the file and the line, or an empty string.
std::string match_paths(const studyfiles::NodeList& nodes, const std::string& nodes_file, const std::string& table_file,
                        studyfiles::PathTable table, const std::string& routes_file,
                        const studyfiles::RoutesFile* routes, PathView& view);

// The page: pathsweep's summary, the map, and the table of scenarios.
std::string paths_page(const studyfiles::NodeList& nodes, const PathView& view, Axes axes);

}  // namespace capview
