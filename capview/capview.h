// capview: shows a capsweep restorability study at a glance. It reads the
// node list, the netdata file and the results file of one capsweep run and
// prints a summary, writes the per-span table as CSV (--csv FILE) and, given
// an html file name, a self-contained page with a map of the network
// (--lat-first: the node list gives the latitude, or the vertical
// coordinate, first). With --experiment it compares the result tables of a
// restoration experiment instead, with --dual it shows a dualsweep table.
#pragma once

#include "program.h"

namespace capview {

// What `capview --help` prints (its three forms, every option with what it
// does) and the name `capview --version` gives.
const ProgramInfo& program_info();

// Runs the whole program on its arguments (argv[0] is the program name) and
// returns the exit status: 0 done, 1 wrong command line, unreadable or
// mismatched input, or an output that cannot be written.
int capview_main(int argc, char** argv);

}  // namespace capview
