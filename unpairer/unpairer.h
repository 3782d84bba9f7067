// unpairer: rewrites a spare list holding two spans per data line as a spare
// list with one span per line: every first span in input order, then every
// second span in input order.
#pragma once

// Runs the whole program on its arguments (argv[0] is the program name) and
// returns the exit status.
int unpairer_main(int argc, char** argv);
