// The spans of a bidirectional netdata file: records 2k-1 and 2k are the two
// directions of span k. Every program that works on spans (capplan,
// dualsweep, pathsweep) takes them from here, checked alike: the pair runs
// both ways between two different nodes of the node list, agrees in working
// channels (and in cost and spare where the program reads them), and no
// number it reads is negative.
#pragma once

#include <string>
#include <vector>

#include "error.h"
#include "netdata.h"
#include "node_list.h"

namespace studyfiles {

struct Span {
  int from = 0;  // node numbers, 1-based, as the first record runs
  int to = 0;
  int cost = 0;     // of the first record (0 when the program does not read costs)
  int spare = 0;    // 0 when the program does not read spares
  int working = 0;  // channels lost when the span is cut
  int line = 0;     // where the first record starts
};

struct SpanRules {
  // What the program does with spans, to finish "not a bidirectional
  // netdata file: ..., records in pairs": "capplan plans spans".
  std::string program_does;
  bool cost_read = true;   // the cost field is read: not negative, the same both ways
  std::string cost_as;     // what a negative cost is read as (", read as its length"), or ""
  bool spare_read = true;  // the spare field is read: not negative, the same both ways
};

// The spans of `net`, read from `file`, whose nodes are those of the node
// list read from `nodes_file`; a fault is refused with the line of the
// record at fault.
Error spans_of_netdata(const Netdata& net, const std::string& file, const NodeList& nodes,
                       const std::string& nodes_file, const SpanRules& rules, std::vector<Span>& out);

}  // namespace studyfiles
