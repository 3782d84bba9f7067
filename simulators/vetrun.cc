#include "program.h"
#include "command_line.h"

namespace {
int vetrun(int argc, char** argv) { return restoresim::simulator_main(restoresim::Method::vetrun, argc, argv); }
}  // namespace

int main(int argc, char** argv) { return run_program(argc, argv, vetrun); }
