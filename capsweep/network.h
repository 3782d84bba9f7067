// What every module of capsweep shares: the node list and the netdata file
// as studyfiles reads them (record k of the edge table is edges[k - 1]), and
// the stop that ends a run.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "netdata.h"
#include "node_list.h"
#include "text_format.h"
#include "wholefile.h"

// Ends the run: the message has been printed; main returns the status.
struct Stop {
  int status;
};

// Prints the message on standard output and ends the run with the status.
[[noreturn]] void stop_with(int status, const char* message);
// The same with the message written to `out`.
[[noreturn]] void stop_at(std::FILE* out, int status, const char* message);


// Stops the run with status 1 after a message naming the failed command.
[[noreturn]] void stop_on_failed_command(const std::string& command);

// Runs a shell command; stops the run with status 1, after a message naming
// the command, when it does not end with status 0.
void run_or_stop(const std::string& command);
