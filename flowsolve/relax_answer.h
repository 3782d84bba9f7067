// A solution as relax reports it, made here for relax and for capsweep -j,
// which solves inside and reports each trial as relax would: the path report
// PATH.OUT and the one line relax prints.
#pragma once

#include <string>

#include "relax_input.h"
#include "relax_solve.h"

// The text of PATH.OUT:
//   FOR SPAN CUT <source> TO <sink> DEMAND <demand>
//   then per path: PATH / <bandwidth> CHANNELS / its nodes one a line / -1
//   TOTAL_BANDWIDTH_RESTORED= <total>
//   FEASIBLE COST <cost>, or INFEASIBLE: <routed> OF <demand> ROUTED, COST <cost>
std::string path_out_text(const RelaxProblem& problem, const RelaxSolution& solution);

// The one line printed on standard output.
std::string summary_line(const RelaxProblem& problem, const RelaxSolution& solution);
