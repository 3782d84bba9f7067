#include "program.h"
#include "command_line.h"

namespace {
int dunvar(int argc, char** argv) { return restoresim::simulator_main(restoresim::Method::dunvar, argc, argv); }
}  // namespace

int main(int argc, char** argv) { return run_program(argc, argv, dunvar); }
