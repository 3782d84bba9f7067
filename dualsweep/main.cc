#include "dualsweep.h"
#include "program.h"

int main(int argc, char** argv) { return run_program(argc, argv, dualsweep::kProgram, dualsweep::dualsweep_main); }
