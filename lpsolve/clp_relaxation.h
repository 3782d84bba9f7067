// The linear program of a LinearModel solved by CBC's own LP solver (Clp),
// within a wall-clock limit that the solver keeps: the MIP solver's time
// limit does not bound a relaxation.
#pragma once

#include <coin/ClpEventHandler.hpp>
#include <coin/CoinTypes.hpp>

#include <chrono>
#include <functional>
#include <vector>

#include "linear_model.h"

namespace lpsolve {

// Clp looks at its own time limit only now and then; this stops it after
// the first iteration past the deadline, and calls `tick` (which must
// outlive it; it may be empty) every hundredth.
class WallDeadline : public ClpEventHandler {
 public:
  WallDeadline(std::chrono::steady_clock::time_point end, const std::function<void()>& tick);
  // `seconds` from now.
  static WallDeadline in(double seconds, const std::function<void()>& tick);
  int event(Event what) override;
  ClpEventHandler* clone() const override;

 private:
  std::chrono::steady_clock::time_point end_;
  const std::function<void()>* tick_;
  long long iterations_ = 0;
};

// A LinearModel's matrix column by column, with infinite bounds made finite
// the solver's way.
struct PackedModel {
  std::vector<CoinBigIndex> start;
  std::vector<int> index;
  std::vector<double> value, col_low, col_high, row_low, row_high;
};

// The model packed; it must have passed check_model.
PackedModel pack_model(const LinearModel& model);

// `tick`, when given, is called after every hundredth iteration. May throw
// what Clp throws: solve_with_cbc is the boundary that catches it.
MipResult solve_relaxation_with_clp(const LinearModel& model, const PackedModel& packed, double seconds,
                                    const std::function<void()>& tick = {});

}  // namespace lpsolve
