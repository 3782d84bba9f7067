// Puts a node table back to its state when new, cheaply: a fresh Network
// costs a few megabytes of tables per input, which slows a fuzz run down
// more than a hundredfold. Only the cells of recorded spans are ever set.
#pragma once

#include <algorithm>

#include "network.h"

template <typename... Tables>
void reset_network(Network& net, Tables&... more) {
  for (const Node& n : net.node) {
    for (const SpanEntry& span : n.spans) {
      net.W.at(span.lower, span.higher) = 0;
      net.S.at(span.lower, span.higher) = 0;
      ((more.at(span.lower, span.higher) = {}), ...);
    }
  }
  std::fill(net.node.begin(), net.node.end(), Node());
  std::fill(net.I.begin(), net.I.end(), 0);
  net.noOfNodes = 0;
  net.largestNodeID = 0;
}
