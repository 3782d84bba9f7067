#include "command_line.h"
#include "program.h"

namespace {
int ospel(int argc, char** argv) { return restoresim::simulator_main(restoresim::Method::ospel, argc, argv); }
}  // namespace

int main(int argc, char** argv) { return run_program(argc, argv, restoresim::simulator_info(restoresim::Method::ospel), ospel); }
