#include "capview.h"
#include "program.h"

int main(int argc, char** argv) { return run_program(argc, argv, capview::program_info(), capview::capview_main); }
