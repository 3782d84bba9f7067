// The network a path restoration study works on: the node list and the
// spans of a bidirectional netdata file (studyfiles' spans.h), with the
// spans at every node.
#pragma once

#include <string>
#include <vector>

#include "node_list.h"
#include "spans.h"

namespace pathrestore {

struct Network {
  studyfiles::NodeList nodes;
  int n_node = 0;                        // nodes 1..n_node, as the netdata file counts them
  std::vector<studyfiles::Span> spans;   // span number k is spans[k - 1]
  std::vector<std::vector<int>> spans_at;  // per node number: indexes into spans, in file order

  int span_count() const { return static_cast<int>(spans.size()); }
  const std::string& name_of(int node) const { return nodes.nodes[static_cast<std::size_t>(node - 1)].name; }
  // "A-B": the span's ends as its first record runs.
  std::string span_ends(int index) const;
};

Network network_of(const studyfiles::NodeList& nodes, int n_node, const std::vector<studyfiles::Span>& spans);

}  // namespace pathrestore
