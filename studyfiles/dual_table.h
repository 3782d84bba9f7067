// dualsweep's results table: every unordered pair of spans of a
// bidirectional netdata file, both cut at once, of which at least one
// carries working channels.
//
// A header of lines that begin with '#': the program and version that wrote
// it (tables written before versions were kept have no such line), the
// files studied, the columns, the options the figures depend on, a slice line in the table of one slice of
// the pairs, and one line per span with what capsweep restores when that
// span alone is cut and its length. Then one row per pair, in span order:
//
//   "%-5d %-5d %6d %6d %6d %6d  %s %s  %s %s  %6.2f%%", then " %10.2f"
//   when the table has the bound, then a line feed
//
// span i, span j (i < j; span k is records 2k-1 and 2k), w_i, w_j, r_i, r_j,
// the end names of i and of j, R_ij = (r_i + r_j) / (w_i + w_j) in percent,
// and the largest r_i + r_j of the fractional two-commodity flow.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "error.h"

namespace studyfiles {

// One span: its ends, working channels, what its cut alone restores, and
// the netdata cost field of its first record (written as its "length": the
// availability figures read it as the span's length).
struct DualSpan {
  std::string from, to;
  int working = 0;
  int restored = 0;
  int cost = 0;
};

struct DualRow {
  int i = 0, j = 0;  // span numbers, 1-based, i < j
  int r_i = 0, r_j = 0;
  double bound = 0.0;  // when the table has the bound, as written (two decimals)
};

struct DualTable {
  // "dualsweep (meshrestore) 1.0.0+9808fc9": what wrote the table; "" for a
  // table written before versions were kept, which has no such line.
  std::string written_by;
  std::string nodes_file, netdata_file;
  bool has_bound = false;
  // The availability options as given; cut_rate empty when none was given.
  std::string cut_rate, repair_hours, length_unit;
  int slice = 0, slices = 0;  // the K-th of N shares of the pairs; 0/0 for all of them
  std::vector<DualSpan> spans;  // span k is spans[k - 1]
  std::vector<DualRow> rows;
};

// The header lines, the slice line only in a slice's table.
std::string format_dual_header(const DualTable& table);
// One row; the spans named must be in the table.
std::string format_dual_row(const DualTable& table, const DualRow& row);
// The whole table: header and rows.
std::string format_dual_table(const DualTable& table);

// The line of the header that describes span k (1-based), as the table
// writes and reads it: for messages about a span.
int dual_span_line(const DualTable& table, int k);

// R_ij of a row in percent, as the row shows it.
double dual_percent(const DualTable& table, const DualRow& row);

// Reads a whole table. Rows must name spans of the header, in span order,
// with the working channels and names the header gives, and restore no more
// than they lose. Returns the error that names the file and the line.
Error read_dual_table(std::string_view text, const std::string& file_name, DualTable& out);

}  // namespace studyfiles
