// relax: the min-cost network-flow solver that capsweep runs. In the current
// directory it reads RELAX.INP, routes the demand from the source to the sink
// at least cost, writes the verdict to TEMP.OUT and the paths to PATH.OUT,
// and prints a one-line summary.
#pragma once

// Runs the whole program (it takes no arguments) and returns the exit status:
// 0 when the answer files are written, 1 otherwise (message on standard error,
// no answer file written).
int relax_main(int argc, char** argv);
