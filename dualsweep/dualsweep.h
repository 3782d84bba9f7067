// dualsweep: every pair of spans of a bidirectional netdata file cut at
// once, restored over the spare of the others; the table, its summary and
// the gather of a cluster's slices.
#pragma once

#include "program.h"

namespace dualsweep {

// The name and the whole help text, which run_program answers --help with.
extern const ProgramInfo kProgram;

// dualsweep's whole run: parse, read, solve the pairs, write; the exit status.
int dualsweep_main(int argc, char** argv);

}  // namespace dualsweep
