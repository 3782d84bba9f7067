// capsweep: for every span of a network, how much of its working capacity
// the solver `relax` can reroute over the spare capacity of the rest.
#pragma once

// Runs the whole program on its arguments (argv[0] is the program name) and
// returns the exit status.
int capsweep_main(int argc, char** argv);
