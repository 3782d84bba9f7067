#include "netimport.h"
#include "program.h"

int main(int argc, char** argv) { return run_program(argc, argv, netimport_info(), netimport_main); }
