// halvane: expands a version-1 network description NAME into the version-2
// description NAME.new, its topology companion NAME.top and the simulator
// script NAME.scr, which runs vetrun once per span with that span cut.
#pragma once

#include <string>

// The conversion of the named description (any case: it is folded to lower
// case). Returns the exit status.
int init_nodes(const std::string& infilename);

// main(): the whole program, fatal stops included. Returns the exit status.
int halvane_main(int argc, char** argv);
