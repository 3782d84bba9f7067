// pathsweep's results table: one row per failure scenario of a path
// restoration study.
//
// A header of lines that begin with '#': the title, the program that wrote
// the table, the files studied, the options the figures depend on (failure
// kinds, stub release, the most spans of a route, the bound, availability),
// the counts of working paths and demands, one line per span (ends, working
// and spare channels, the netdata cost field as its length) and, with
// availability, one line per demand (ends, paths, unavailability). Then one
// row per scenario, spans first (by number), then nodes (by number), then
// groups (in the groups file's order):
//
//   "%-5s %-12s %8d %8d %8d %10s %7.2f%%", then "  %s %s" for a span
//
// kind (span, node, group), name (a span by number, a node or group by
// name), affected, ending, restored, the bound ("%.2f", "-" when the table
// has none), the scenario's restorability (restored / affected; 100 when
// nothing is affected), and a span's end names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "error.h"

namespace studyfiles {

struct PathSpan {
  std::string from, to;
  int working = 0, spare = 0;
  int length = 0;  // the netdata cost field of its first record
};

// A demand's figures, in the table that has availability.
struct PathDemand {
  std::string from, to;
  int paths = 0;
  double unavailability = 0.0;  // the share of its paths down at a random moment, as written ("%.6e")
};

struct PathRow {
  std::string kind;  // "span", "node" or "group"
  std::string name;
  int affected = 0, ending = 0, restored = 0;
  double bound = 0.0;  // in a table with the bound, as written (two decimals)
};

struct PathTable {
  std::string writer;  // "pathsweep (meshrestore) 1.0.0"
  std::string nodes_file, netdata_file, paths_file;
  std::string groups_file;  // "" for none
  std::string fail;         // the kinds of scenario, as --fail gives them: "spans,nodes"
  bool stub_release = false;
  int max_spans = 0;        // 0: no limit
  bool has_bound = false;
  // The availability options as given; both rates empty when there is no
  // availability, one of them empty when it was not given.
  std::string cut_rate, node_rate, repair_hours, length_unit;
  int paths = 0, demand_count = 0;
  std::vector<PathSpan> spans;      // span k is spans[k - 1]
  std::vector<PathDemand> demands;  // with availability: demand k is demands[k - 1]
  std::vector<PathRow> rows;

  bool has_availability() const { return !cut_rate.empty() || !node_rate.empty(); }
};

// The header, one row, and the whole table.
std::string format_path_header(const PathTable& table);
std::string format_path_row(const PathTable& table, const PathRow& row);
std::string format_path_table(const PathTable& table);

// A row's restorability in percent: 100 when nothing is affected.
double path_percent(const PathRow& row);

// The bound as a row holds it: rounded to two decimals.
double two_decimals(double value);

// Reads a whole table: the header in its order, rows by kind in order
// (span rows by ascending number, with the ends of their span line; node
// and group names each once), no row restoring more than it lost, nor more
// than its bound. Returns the error that names the file and the line.
Error read_path_table(std::string_view text, const std::string& file_name, PathTable& out);

}  // namespace studyfiles
