#include "program.h"

#include <cstdio>
#include <new>

int run_out_of_memory_guarded(const std::function<int()>& body) {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    std::fputs("out of memory\n", stderr);
    return 1;
  }
}

int run_program(int argc, char** argv, int (*program)(int argc, char** argv)) {
  return run_out_of_memory_guarded([&] { return program(argc, argv); });
}
