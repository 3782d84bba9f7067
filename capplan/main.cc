#include "capplan.h"
#include "program.h"

int main(int argc, char** argv) { return run_program(argc, argv, capplan::kProgram, capplan::capplan_main); }
