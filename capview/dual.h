// A dualsweep table on the map: every pair of spans cut at once, the spans
// placed by the node list's coordinates. The summary and the CSV are
// dualsweep's own (studyfiles/dual_summary.h).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "dual_table.h"
#include "node_list.h"
#include "page.h"
#include "study.h"

namespace capview {

struct DualView {
  std::string nodes_file, table_file;
  studyfiles::DualTable table;
  // The spans as the map draws them: span k is spans[k - 1], its ends the
  // node list's nodes, its restorability what its cut alone restores.
  std::vector<SpanResult> spans;
};

// Places the table's spans on the node list: every end must be a name of
// the node list (else the table is of another network), and the table must
// hold every pair (a slice's table must be gathered first). Returns the
// message that names the file and the line, or an empty string.
std::string match_dual(const studyfiles::NodeList& nodes, const std::string& nodes_file, const std::string& table_file,
                       studyfiles::DualTable table, DualView& view);

// The row of the pair of spans i and j (either order) as an index into the
// table's rows, or the number of rows when the table has none: both spans
// carry no working channels.
std::size_t dual_row_of(const studyfiles::DualTable& table, int i, int j);

// The page: dualsweep's summary, the matrix of R_ij over every pair of
// spans coloured as the map colours restorability, the map with the two
// spans of a picked pair drawn over it, the worst pairs and the spans.
std::string dual_page(const studyfiles::NodeList& nodes, const DualView& view, Axes axes);

}  // namespace capview
