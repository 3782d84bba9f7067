#include "program.h"
#include "command_line.h"

namespace {
int ospel(int argc, char** argv) { return restoresim::simulator_main(restoresim::Method::ospel, argc, argv); }
}  // namespace

int main(int argc, char** argv) { return run_program(argc, argv, ospel); }
