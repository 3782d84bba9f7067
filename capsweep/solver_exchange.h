// The exchange with the solver `relax`: the problem file RELAX.INP, the
// solver command, and the answer read back from TEMP.OUT.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange.h"
#include "network.h"
#include "search.h"

// The text of RELAX.INP for a trial demand: every record offers its spare,
// except the cut record `e` (1-based) and, in a bidirectional table, its
// twin `e + 1`; node `from` supplies the demand and node `to` takes it.
std::string relax_input(int demand, int n_node, int n_edge, int e, int bidirectional,
                        const std::vector<studyfiles::EdgeRecord>& edges, int from, int to);

// Writes RELAX.INP (see relax_input), or stops the run.
void CreateFileForRelax(int demand, int n_node, int n_edge, int e, int bidirectional,
                        const std::vector<studyfiles::EdgeRecord>& edges, int from, int to);

// Reads TEMP.OUT, or stops the run when it is missing or does not hold the
// four values.
studyfiles::Answer read_answer();

// "relax", or "relax > /dev/null" in silence mode.
std::string solver_command(int silence);

// A solver trial for the cut of record `e` of `net`: the answer files of an
// earlier run are removed first, so a solver that leaves none stops the run
// instead of an old answer being read as this one's.
Trial solver_trial(const studyfiles::Netdata& net, int e, int silence);
