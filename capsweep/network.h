// The records every module of capsweep shares: the node name table, the edge
// table read from the netdata file, and the stop that ends a run.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "text_format.h"
#include "wholefile.h"

// Slot k holds the name of node k (slot 0 is never filled).
struct NodeNames {
  std::vector<std::string> slots{""};

  int count() const { return static_cast<int>(slots.size()) - 1; }
  // The name of node k; a node without a name in the node list is shown by
  // its number.
  std::string name_of(int k) const;
};

// One record of the netdata file, the edge number left out.
struct Edge {
  int from = 0;
  int to = 0;
  int cost = 0;
  int spare = 0;     // what restoration may use
  int capacity = 0;  // working capacity, lost when the record is cut
};

struct NetData {
  int bidirectional = 0;  // 1 when the file's first number is not 0
  int n_node = 0;
  int n_edge = 0;
  std::vector<int> edge_numbers;  // read and echoed, otherwise unused
  std::vector<Edge> edges;        // record k is edges[k - 1]

  bool paired() const { return bidirectional != 0; }
};

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
