// The files capsweep and its solver relax exchange in the current directory,
// named here once: the problem RELAX.INP (written by capsweep, read by relax,
// see relax_input.h), the verdict TEMP.OUT and the paths PATH.OUT (written by
// relax, read by capsweep), and PATH.L, the paths with node names that
// capsweep files for every cut. The writer and the reader of each form are
// here side by side, but for RELAX.INP's reader, in relax_input.h.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "error.h"

namespace studyfiles {

inline constexpr const char* kRelaxInputFile = "RELAX.INP";
inline constexpr const char* kAnswerFile = "TEMP.OUT";
inline constexpr const char* kPathFile = "PATH.OUT";
inline constexpr const char* kPathLFile = "PATH.L";

// The solver's verdict on one trial demand: TEMP.OUT.
struct Answer {
  int is_feas = 0;  // nonzero: the trial demand routes
  double elapsed_time = 0.0;
  double cpu_time = 0.0;
  double opt_cost = 0.0;
};

// "%d\n%lf\n%lf\n%lf\n".
std::string format_answer(const Answer& answer);

// The four values of a TEMP.OUT text ("%i" then three "%lf"); empty when the
// text does not hold them.
std::optional<Answer> parse_answer(std::string_view text);

// One record of the problem as capsweep hands it over: arc k of RELAX.INP
// runs from `from` to `to` at `cost` and offers `capacity`.
struct RelaxInputArc {
  int from = 0;
  int to = 0;
  int cost = 0;
  int capacity = 0;
};

// The text of RELAX.INP: "%d\n" node count, "%d\n" arc count,
// "%3d%3d%3d%3d%3d\n" per arc (its number first), then per node "%3d%3d\n"
// with the node and minus the demand for the source, the node and the
// demand for the sink, "%d  %d\n" with the node and 0 for every other node.
std::string format_relax_input(int n_node, const std::vector<RelaxInputArc>& arcs, int source, int sink, int demand);

// One path of PATH.OUT: the units it carries and its nodes from the source
// to the sink, by number.
struct PathRecord {
  long long bandwidth = 0;
  std::vector<int> nodes;
  bool operator==(const PathRecord&) const = default;
};

// The solver's paths for one trial: PATH.OUT.
struct PathOut {
  int source = 0;
  int sink = 0;
  long long demand = 0;
  std::vector<PathRecord> paths;
  long long routed = 0;   // the bandwidths added up
  bool feasible = false;  // the whole demand is routed
  long long cost = 0;
  bool operator==(const PathOut&) const = default;
};

// The text of PATH.OUT:
//   FOR SPAN CUT <source> TO <sink> DEMAND <demand>
//   then per path: PATH / <bandwidth> CHANNELS / its nodes one a line / -1
//   TOTAL_BANDWIDTH_RESTORED= <total>
//   FEASIBLE COST <cost>, or INFEASIBLE: <routed> OF <demand> ROUTED, COST <cost>
std::string format_path_out(const PathOut& out);

// PATH.OUT as read back: what the text holds up to where it ends early.
struct PathOutRead {
  // The end nodes and the paths always; the demand, the total (routed), the
  // verdict and the cost where their lines read as format_path_out writes
  // them.
  PathOut record;
  bool cut_short = false;  // the last path ends before its -1
  bool has_total = false;  // TOTAL_BANDWIDTH_RESTORED= and its number were read
  // After the total, the next line that is not blank, as it stands (its
  // line feed included when it has one).
  std::optional<std::string> closing_line;
};

// Reads PATH.OUT the way capsweep takes it: the first words must be
// FOR SPAN CUT <a> <word> <b> (the rest of that line may give DEMAND <d>);
// then, until the text ends or stops making sense, either a path (any word,
// "<bandwidth> <word>", node numbers up to -1) or TOTAL_BANDWIDTH_RESTORED=,
// its number and the line after it, which end the report. Whole numbers
// are of 32 bits. Refuses only a text without the end nodes.
Error read_path_out(std::string_view text, PathOutRead& out, const std::string& file_name = kPathFile);

// The name of a node by its number.
using NodeNameOf = std::function<std::string(int node)>;

// The title of PATH.L: "FOR SPAN CUT %s-%s, RESTORATION PATHS FOUND:\n" with
// the names of the end nodes.
std::string format_path_l_title(const PathOutRead& read, const NodeNameOf& name_of);

// The lines of PATH.L after its title: "BW=%lld PATH=(", " <name>" per node
// and ")\n" for every path read (cut short or not); then, when the total was
// read, "TOTAL_BANDWIDTH_RESTORED=%lld\n" and the closing line followed by
// "\n".
std::string format_path_l_lines(const PathOutRead& read, const NodeNameOf& name_of);

// The whole of PATH.L: its title, then its lines.
std::string format_path_l(const PathOutRead& read, const NodeNameOf& name_of);

}  // namespace studyfiles
