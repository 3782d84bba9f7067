// pathsweep: path restoration of every failure scenario of a study.
#pragma once

#include "program.h"

extern const ProgramInfo kPathsweepInfo;

// The whole run: parse, read, restore every scenario, write; the exit status.
int pathsweep_main(int argc, char** argv);
