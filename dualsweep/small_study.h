// The tests' made-up studies: spans given by their ends, spare and working
// channels, each as its two records, both directions with the same figures.
#pragma once

#include <string>
#include <vector>

#include "study.h"

namespace dualsweep {

struct SmallSpan {
  int from, to, spare, working;
};

// Nodes 1..n_node named N1.., span costs 1 to 3.
inline DualStudy study_of(int n_node, const std::vector<SmallSpan>& spans) {
  DualStudy s;
  for (int k = 1; k <= n_node; ++k) s.nodes.nodes.push_back(studyfiles::Node{"N" + std::to_string(k), 0, 0, false});
  s.net.bidirectional = true;
  s.net.n_node = n_node;
  int number = 0;
  for (const SmallSpan& p : spans) {
    ++number;
    s.net.edges.push_back(studyfiles::EdgeRecord{number, p.from, p.to, 1 + number % 3, p.spare, p.working, number});
    ++number;
    s.net.edges.push_back(studyfiles::EdgeRecord{number, p.to, p.from, 1 + (number - 1) % 3, p.spare, p.working, number});
  }
  s.net.n_record = number;
  return s;
}

}  // namespace dualsweep
