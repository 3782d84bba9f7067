// routeweave: from a node list and a path list, writes a netrestore file of
// type V_H2, its topology companion and the restoration run scripts.
#pragma once

// Runs the whole program on its arguments (argv[0] is the program name) and
// returns the exit status.
int routeweave_main(int argc, char** argv);
