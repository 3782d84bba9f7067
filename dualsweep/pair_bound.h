// The bound of a pair: the largest r_i + r_j of the fractional
// two-commodity flow, i's working between its ends and j's between theirs,
// over the spare of every other span, a span's spare carrying the two flows
// in both directions together.
//
// By Hu's two-commodity flow theorem it is the least capacity of a cut that
// parts both pairs of ends, which is the smaller of two maximum flows over
// the spare (each span two opposite arcs of its spare): from i's first end
// and j's first end to the two second ends, and from i's first end and j's
// second end to the other two. Each demand limit is the capacity of an
// added edge at the end it leaves from or reaches. The bound is an integer.
#pragma once

#include <memory>

#include "study.h"

namespace dualsweep {

class PairBound {
 public:
  // The graph of the study, built once; a PairBound serves one thread.
  explicit PairBound(const DualStudy& study);
  ~PairBound();
  PairBound(const PairBound&) = delete;
  PairBound& operator=(const PairBound&) = delete;

  // The bound of spans i and j (1-based, i != j) both cut.
  long long bound(int i, int j);

 private:
  struct Flow;
  const DualStudy& study_;
  std::unique_ptr<Flow> flow_;
};

}  // namespace dualsweep
