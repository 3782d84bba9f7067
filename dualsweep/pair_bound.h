// The bound of a pair: the largest r_i + r_j of the fractional
// two-commodity flow, i's working from its ends and j's from theirs, over
// the spare of every other span, a record's spare carrying the two flows
// in both directions together. Solved as a linear program with CBC
// (lpsolve/).
#pragma once

#include "cbc_mip.h"
#include "error.h"
#include "study.h"

namespace dualsweep {

class PairBound {
 public:
  explicit PairBound(const DualStudy& study, lpsolve::MipSolver solve = lpsolve::solve_with_cbc)
      : study_(study), solve_(std::move(solve)) {}

  // The bound of spans i and j both cut, rounded to two decimals as the
  // table shows it; an error when the solver failed to give it.
  Error bound(int i, int j, double& out) const;

 private:
  const DualStudy& study_;
  lpsolve::MipSolver solve_;
};

}  // namespace dualsweep
