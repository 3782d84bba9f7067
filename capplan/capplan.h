// capplan: the least spare capacity with which every single span cut can be
// restored in full. Reads a node list and a bidirectional netdata file,
// plans the spare (planner.h), proves the plan with a maximum flow per cut,
// and writes the netdata file again with the planned spare.
#pragma once

// Runs the whole program (argv[0] is the program name) and returns the exit
// status: 0 planned and proved; 1 wrong command line, bad or unreadable
// input, a plan that fails its proof (nothing written) or an output that
// cannot be written; 2 planned and proved, but some spans are bridges whose
// cuts no spare restores.
int capplan_main(int argc, char** argv);
