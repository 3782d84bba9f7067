#include "command_line.h"
#include "program.h"

namespace {
int dunvar(int argc, char** argv) { return restoresim::simulator_main(restoresim::Method::dunvar, argc, argv); }
}  // namespace

int main(int argc, char** argv) { return run_program(argc, argv, restoresim::simulator_info(restoresim::Method::dunvar), dunvar); }
