// The netdata file: whole numbers separated by any white space, the
// bidirectional flag, the node count, the record count, then six numbers per
// edge record (edge number, from, to, cost, spare, capacity). In a
// bidirectional file records 2k-1 and 2k are the two directions of span k.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "error.h"
#include "wording.h"

namespace studyfiles {

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
  // What the reader read of the header: how many of its three numbers, and
  // the record count among them (edges.size() once the file is read whole).
  // The writer uses neither.
  int header_read = 0;
  int n_record = 0;
};

// Node numbers must lie in 1..n_node; counts may not be negative. A read
// that stops at a fault leaves in `out` what came before it: the header
// numbers read (a refused count too, with header_read counting it) and every
// record read whole and accepted.
//
// In capsweep's wording a node number is checked as it is read and the
// message names the line of the node; otherwise both nodes are checked once
// the record is read whole and the message names the line the record starts
// on.
Error read_netdata(std::string_view text, const std::string& file_name, Netdata& out,
                   Wording wording = Wording::studies);

// "%d\n%d\n%d\n" (flag 1 or 0, n_node, record count), then
// "%d %d %d %d %d %d\n" per record, as the shipped examples are laid out.
std::string format_netdata(const Netdata& net);

}  // namespace studyfiles
