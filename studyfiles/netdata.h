// The netdata file: whole numbers separated by any white space, the
// bidirectional flag, the node count, the record count, then six numbers per
// edge record (edge number, from, to, cost, spare, capacity). In a
// bidirectional file records 2k-1 and 2k are the two directions of span k.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "error.h"

struct EdgeRecord {
  int number = 0;  // as written in the file; records are known by position
  int from = 0;
  int to = 0;
  int cost = 0;
  int spare = 0;     // what restoration may use
  int capacity = 0;  // working capacity, lost when the record is cut
  int line = 0;      // line of the file on which the record starts
};

struct Netdata {
  bool bidirectional = false;
  int n_node = 0;
  std::vector<EdgeRecord> edges;
};

// Node numbers must lie in 1..n_node; counts may not be negative.
Error read_netdata(std::string_view text, const std::string& file_name, Netdata& out);

// "%d\n%d\n%d\n" (flag 1 or 0, n_node, record count), then
// "%d %d %d %d %d %d\n" per record, as the shipped examples are laid out.
std::string format_netdata(const Netdata& net);
