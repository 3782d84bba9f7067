// The files capsweep and its solver relax exchange in the current directory,
// named here once: the problem RELAX.INP (written by capsweep, read by relax,
// see relax_input.h), the verdict TEMP.OUT and the paths PATH.OUT (written by
// relax, read by capsweep), and PATH.L, the paths with node names that
// capsweep files for every cut.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
