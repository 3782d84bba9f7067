// The study dualsweep works on: the node list and the bidirectional netdata
// file, read by studyfiles' readers and checked for what the pair
// restorations need.
#pragma once

#include <string>
#include <vector>

#include "error.h"
#include "netdata.h"
#include "node_list.h"

namespace dualsweep {

struct DualStudy {
  studyfiles::NodeList nodes;
  studyfiles::Netdata net;  // records 2k-1 and 2k are the two directions of span k

  int span_count() const { return static_cast<int>(net.edges.size() / 2); }
  // The first record of span k (1-based).
  const studyfiles::EdgeRecord& span(int k) const { return net.edges[static_cast<std::size_t>(2 * k - 2)]; }
  std::string name_of(int node) const;
};

// Reads and checks the two files: the netdata file must be bidirectional,
// records 2k-1 and 2k running both ways between two different nodes with
// the same spare and working capacity, with
// no negative spare or working capacity, its nodes named in the node list,
// and costs times spares within what the solver holds. `lengths` also
// refuses negative costs (they are read as span lengths).
Error read_dual_study(const std::string& nodes_file, const std::string& netdata_file, bool lengths, DualStudy& out);

}  // namespace dualsweep
