// The node table of the targets that read lists beside a node list, reused
// from input to input: a fresh Network costs a few megabytes of tables per
// input, which slows a fuzz run down more than a hundredfold.
#pragma once

#include <algorithm>

#include "network.h"
#include "node_table.h"

// Puts the table (and any span tables beside it) back to its state when
// new; only the cells of recorded spans are ever set.
template <typename... Tables>
void reset_network(netrestore::Network& net, Tables&... more) {
  for (const netrestore::Node& n : net.node) {
    for (const netrestore::SpanEntry& span : n.spans) {
      net.W.at(span.lower, span.higher) = 0;
      net.S.at(span.lower, span.higher) = 0;
      ((more.at(span.lower, span.higher) = {}), ...);
    }
  }
  std::fill(net.node.begin(), net.node.end(), netrestore::Node());
  std::fill(net.I.begin(), net.I.end(), 0);
  net.noOfNodes = 0;
  net.largestNodeID = 0;
}

// The node table of a node list text read under the rules (reset first).
template <typename... Tables>
void load_node_list(netrestore::Network& net, std::string_view text, netrestore::NodeListRules rules, Tables&... more) {
  reset_network(net, more...);
  netrestore::fill_node_table(net, netrestore::parse_node_list(text, "nodes.txt", rules).nodes);
}
