// capplan: the least spare capacity with which every single span cut can be
// restored in full. Reads a node list and a bidirectional netdata file,
// plans the spare (planner.h, pcycle.h, joint.h), proves the plan with a
// maximum flow per cut, and writes the netdata file again with the planned
// spare.
#pragma once

#include "linear_model.h"
#include "program.h"

namespace capplan {

// The name and the whole help text, which run_program answers --help with.
extern const ProgramInfo kProgram;

// Runs the whole program (argv[0] is the program name) and returns the exit
// status: 0 planned and proved; 1 wrong command line, bad or unreadable
// input, a failure of the solver, a bound above the plan's cost, a plan that
// fails its proof (in these three nothing is written) or an output that
// cannot be written; 2 planned and proved, but some spans are bridges whose
// cuts no spare restores.
int capplan_main(int argc, char** argv);

// The same with `solve` as the solver of every linear program and search.
int capplan_main(int argc, char** argv, const lpsolve::MipSolver& solve);

}  // namespace capplan
