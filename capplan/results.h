// What capplan prints of a plan it has proved and written, whatever planner
// made it, in one place: the summary (the totals, the cost, what is proved
// of it, the note, the time), the lines a planner adds, the proof, a line
// per bridge, a line per file written and, with bridges, the closing line.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "error.h"

#include "node_list.h"
#include "plan_search.h"
#include "planner.h"
#include "span_network.h"

namespace capplan {

// What one kind of plan shows beyond what every plan shows.
struct ResultLines {
  std::string heading;         // the summary's first line, without its line feed
  bool kept_spare = false;     // the kept and the added spare (--keep-spare)
  std::string cost_is;         // after the cost figure: what it counts ("working and spare"), or ""
  std::vector<std::string> after_cost;  // whole lines after the cost's (the joint plan: the study's routing)
  bool lp_bound = true;        // the LP bound's line
  std::string after_lp_bound;  // a whole line after it (what the linear program was over), or ""
  std::string optimal = "optimal";  // the mark of a lower bound the cost meets: what the bound holds over
  std::string proved;          // the proof's line, when it is not of span cuts (the path and backup plans)
  std::vector<std::string> after_summary;  // whole lines after the summary (the p-cycles' line)
  std::vector<std::string> after_proof;    // whole lines after the proof (the joint plan's demands carried)
  std::vector<std::string> written;        // the files written, in order
};

// `planned`: the network with the plan's working; `spare`: its spare and
// bridges; `bounds`: its cost and what is proved of it.
std::string result_text(const SpanNetwork& planned, const studyfiles::NodeList& nodes, const Plan& spare,
                        const PlanBounds& bounds, const ResultLines& lines, double seconds);

// A file a run writes: its name (empty: not asked for), and what it holds
// once the plan is proved.
struct Output {
  std::string name;
  std::function<std::string()> text;
};

// Writes the outputs asked for, in order, each added to lines.written; the
// error of the first that cannot be written, or none.
Error write_outputs(const std::vector<Output>& outputs, ResultLines& lines);

// The exit status of a plan written: 2 when some spans are bridges, else 0.
int result_status(const Plan& spare);

}  // namespace capplan
