// A restorability study: the spans that capsweep cut, in cut order, each
// with the row of the results table that answers it.
#pragma once

#include <string>
#include <vector>

#include "netdata.h"
#include "node_list.h"
#include "results.h"

namespace capview {

// One cut of capsweep's loop.
struct Cut {
  int record = 0;  // 1-based position of the cut record in the edge table
  int from = 0, to = 0;
  int working = 0;             // capacity of the cut record
  long long demand_bound = 0;  // what capsweep asks the solver for first
};

// The cuts of capsweep's loop: records 1, 3, 5, ... of a bidirectional
// table, every record otherwise. The demand bound is the cut's capacity,
// or less when the spare leaving its from node or entering its to node
// (the cut record and its twin left out) is smaller.
std::vector<Cut> cuts_of(const studyfiles::Netdata& net);

// One span of the study with its answer.
struct SpanResult {
  int span = 0;  // 1 for the first span cut, 2 for the next, ...
  int record = 0;
  int from_node = 0, to_node = 0;
  std::string from, to;
  int working = 0;
  int restored = 0;
  bool feasible = false;
  bool has_row = false;  // false: capsweep -s wrote no row, nothing to restore
};

// Percent of the working capacity restored (0 when there is none).
double percent_restored(const SpanResult& span);

// Names of the files, for messages.
struct StudyFiles {
  std::string nodes, netdata, results;
};

// Matches the rows to the cuts in cut order, checking the end names and the
// working capacity of every row. A cut without a row must have had nothing
// to restore (capsweep -s leaves such cuts out). Returns an error text
// naming the row or the span, or an empty string.
std::string match_results(const studyfiles::NodeList& nodes, const studyfiles::Netdata& net,
                          const std::vector<studyfiles::ResultRow>& rows, const StudyFiles& files,
                          std::vector<SpanResult>& spans);

}  // namespace capview
