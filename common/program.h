// The top level of every program: main hands its arguments to run_program,
// which runs the program and turns any failure that escaped it into one
// line on standard error and status 1: "out of memory" when memory ran
// out, "NAME: WHAT" for any other exception. Nothing is ever aborted.
//
// The programs the toolkit adds introduce themselves: given their
// ProgramInfo, run_program answers "--help" (or "-h") with the whole help
// text and "--version" with the version line (version.h), both on standard
// output with status 0, before the program sees its command line. Only
// options before a "--" count.
#pragma once

#include <functional>

struct ProgramInfo {
  const char* name;  // "capplan": names the program in the version line and in failures
  const char* help;  // the whole usage: every form, every option with what it does
};

// Runs program(argc, argv) and returns its exit status.
int run_program(int argc, char** argv, int (*program)(int argc, char** argv));
int run_program(int argc, char** argv, const ProgramInfo& info, int (*program)(int argc, char** argv));

// Runs body and returns its status, or 1 after "out of memory" on standard
// error when it ran out of memory.
int run_out_of_memory_guarded(const std::function<int()>& body);

// Runs body and returns its status, or 1 after one line on standard error
// when it threw: "out of memory" for exhausted memory, else "NAME: WHAT"
// (WHAT the exception's own text, or "an unexpected failure").
int run_guarded(const char* name, const std::function<int()>& body);
