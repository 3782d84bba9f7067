// The bound of a pair: the largest r_i + r_j of the fractional
// two-commodity flow, i's working from its ends and j's from theirs, over
// the spare of every other span, a record's spare carrying the two flows
// in both directions together. Solved as a linear program with CBC
// (lpsolve/).
#pragma once

#include "study.h"

class PairBound {
 public:
  explicit PairBound(const DualStudy& study) : study_(study) {}

  // The bound of spans i and j both cut, rounded to two decimals as the
  // table shows it.
  double bound(int i, int j) const;

 private:
  const DualStudy& study_;
};
