// The linear program of a LinearModel solved by CBC's own LP solver (Clp),
// within a wall-clock limit that the solver keeps: the MIP solver's time
// limit does not bound a relaxation.
#pragma once

#include <coin/CoinTypes.hpp>

#include <functional>
#include <vector>

#include "linear_model.h"

namespace lpsolve {

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
