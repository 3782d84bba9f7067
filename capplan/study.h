// capplan's side of the study files: the netdata records taken as spans and
// checked for what a plan needs, the plan's proof, and what capplan writes:
// the planned netdata file and the per-span report.
#pragma once

#include <string>
#include <vector>

#include "error.h"
#include "netdata.h"
#include "node_list.h"
#include "planner.h"
#include "span_network.h"

namespace capplan {

struct StudyNames {
  std::string nodes, netdata;
};

struct SpanOptions {
  bool unit_cost = false;   // every spare channel costs 1, whatever the cost field says
  bool keep_spare = false;  // the spare in the file stays, and the plan adds to it
};

// Span k is records 2k+1 and 2k+2 of a bidirectional file; the two must run
// opposite ways between two different nodes and agree in working channels,
// in cost (unless unit_cost) and in spare (with keep_spare). Node numbers
// must be in the node list.
Error spans_from_netdata(const studyfiles::Netdata& net, const studyfiles::NodeList& nodes, const StudyNames& names, const SpanOptions& options,
                         SpanNetwork& out);

// The same records with both directions of span k carrying spare[k].
studyfiles::Netdata planned_netdata(const studyfiles::Netdata& net, const std::vector<long long>& spare);

// The proof: every cut but the bridges restores its whole working capacity
// over the planned spare of the other spans; otherwise a message naming the
// first cut that does not.
Error prove_plan(const SpanNetwork& net, const studyfiles::NodeList& nodes, const Plan& plan);

// "span 3 (WA-IL)"
std::string span_name(const SpanNetwork& net, const studyfiles::NodeList& nodes, int span);

// The first line of the files capplan writes in forms of its own (the
// report, the cycles file): "# written by capplan (meshrestore) 1.0.0+9808fc9".
std::string written_by_line();

// After written_by_line, one line per span: its nodes, working and planned
// spare, and how many cuts would not be restored in full with one channel
// less on it.
std::string report_text(const SpanNetwork& net, const studyfiles::NodeList& nodes, const Plan& plan);

}  // namespace capplan
