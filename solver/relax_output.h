// The answer files of the solver: TEMP.OUT, the verdict ("%d\n%lf\n%lf\n%lf\n":
// whole demand routed, elapsed seconds, CPU seconds, cost), and PATH.OUT, the
// paths of the flow (its text made in relax_answer.h). Each is written whole
// under a temporary name and then renamed, so a reader never finds half a
// file.
#pragma once

#include <string>

#include "relax_answer.h"
#include "relax_input.h"
#include "relax_solve.h"

// The text of TEMP.OUT.
std::string temp_out_text(const RelaxSolution& solution, double elapsed_seconds, double cpu_seconds);

// Writes both files, PATH.OUT first and TEMP.OUT, the verdict, last; either
// both are written whole or neither is replaced. Returns an error text, empty
// on success.
std::string write_answer_files(const std::string& path_name, const std::string& path_text,
                               const std::string& temp_name, const std::string& temp_text);
