// The top level of every program: main hands its arguments to run_program,
// which runs the program and answers an exhausted memory with
// "out of memory" on standard error and status 1, wherever it ran out.
#pragma once

#include <functional>

// Runs program(argc, argv) and returns its exit status.
int run_program(int argc, char** argv, int (*program)(int argc, char** argv));

// Runs body and returns its status, or 1 after "out of memory" on standard
// error when it ran out of memory.
int run_out_of_memory_guarded(const std::function<int()>& body);
