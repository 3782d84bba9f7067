// capsweep -j N: the cuts solved inside capsweep on N threads, each with its
// own solver, and written out in cut order however the threads finish.
#pragma once

#include <cstdio>
#include <string>

#include "inputs.h"
#include "network.h"

// Creates the cut directory (no command interpreter); one that exists
// already is kept. A failure is told on standard error and the run goes on,
// as it does when mkdir fails.
void make_cut_directory(const std::string& netdata_name);

// The cut loop of -j: what cut_loop writes, with `threads` cuts solved at a
// time. Ends the run (Stop) where a cut does, after the cuts before it are
// written whole.
void parallel_cut_loop(const Options& options, const studyfiles::Netdata& net, const studyfiles::NodeList& nodes,
                       std::FILE* results, int threads);
