#include "pathsweep.h"

int main(int argc, char** argv) { return run_program(argc, argv, kPathsweepInfo, pathsweep_main); }
