#include "program.h"
#include "command_line.h"

namespace {
int kimber(int argc, char** argv) { return restoresim::simulator_main(restoresim::Method::kimber, argc, argv); }
}  // namespace

int main(int argc, char** argv) { return run_program(argc, argv, kimber); }
