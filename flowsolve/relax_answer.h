// A solution as relax reports it, made here for relax and for capsweep -j,
// which solves inside and reports each trial as relax would: the path report
// PATH.OUT and the one line relax prints.
#pragma once

#include <string>

#include "exchange.h"
#include "relax_input.h"
#include "relax_solve.h"

// The PATH.OUT record of a solution to the problem.
studyfiles::PathOut path_out_of(const studyfiles::RelaxProblem& problem, const RelaxSolution& solution);

// The text of PATH.OUT (format_path_out of the record).
std::string path_out_text(const studyfiles::RelaxProblem& problem, const RelaxSolution& solution);

// The one line printed on standard output.
std::string summary_line(const studyfiles::RelaxProblem& problem, const RelaxSolution& solution);
