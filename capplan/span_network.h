// capplan's view of a network: one entry per span (a pair of netdata
// records), with what a plan needs to know of it.
#pragma once

#include <vector>

namespace capplan {

struct PlanSpan {
  int from = 0;            // node numbers, 1-based
  int to = 0;
  long long cost = 0;      // of one spare channel on this span
  long long working = 0;   // channels lost when the span is cut
  long long spare = 0;     // spare that stays (--keep-spare), else 0
};

struct SpanNetwork {
  int n_node = 0;
  std::vector<PlanSpan> spans;  // span k is spans[k]
};

}  // namespace capplan
