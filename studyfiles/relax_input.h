// The problem file of the solver, RELAX.INP: the node count, the arc count,
// one arc line per arc ("%3d%3d%3d%3d%3d": arc number, from node, to node,
// cost, capacity) and one supply line per node (node number, value). The
// "%3d" fields have no separator, so they run together once a value needs
// more than three characters; the reader settles where each field ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "error.h"

namespace studyfiles {

struct RelaxArc {
  int from = 0;  // node numbers, 1-based
  int to = 0;
  long long cost = 0;
  long long capacity = 0;
};

// |cost| x capacity of one arc.
inline __int128 cost_weight(const RelaxArc& a) {
  return static_cast<__int128>(a.cost < 0 ? -a.cost : a.cost) * a.capacity;
}

// A problem as read: one source sends `demand` units to one sink.
// The solve adds up cost times flow in 64 bits, so a problem whose arcs
// weigh (|cost| x capacity) more than this in all is refused.
constexpr __int128 kCostWeightLimit = static_cast<__int128>(1) << 62;

struct RelaxProblem {
  int node_count = 0;
  std::vector<RelaxArc> arcs;  // arc k of the file is arcs[k - 1]
  int source = 0;
  int sink = 0;
  long long demand = 0;
};

// Reads the problem from the text of the file into `out`; `name` is the file
// name that errors give ("RELAX.INP:4: ...").
Error read_relax_input(std::string_view text, const std::string& name, RelaxProblem& out);

// The readings of one line as `count` whole numbers, where number i must lie
// in [low[i], high[i]]: either fields as "%3d" writes them with nothing
// between (three columns, right-justified; wider only without a leading blank
// or zero), or numbers apart by white space. At most five numbers; each
// reading is listed once, and the search stops at the second.
struct FieldRange {
  long long low;
  long long high;
};
std::vector<std::vector<long long>> read_fields(std::string_view line, const std::vector<FieldRange>& ranges);

}  // namespace studyfiles
