// The Euclidean projection onto the capped simplex {x >= 0, sum of x <= cap},
// which keeps each span's multipliers, summed over the rows its spare
// enters, within the span's cost (so that its spare never pays) in the
// planners' Lagrangian ascents.
#pragma once

#include <algorithm>
#include <functional>
#include <vector>

namespace capplan {

// The threshold t such that the entries of `values` (all of them above 0),
// each lowered by t and kept at 0 or more, sum to `cap`; 0 when they
// already sum to `cap` or less. `values` is reordered.
inline double capped_simplex_threshold(std::vector<double>& values, double cap) {
  double sum = 0;
  for (double v : values) sum += v;
  if (sum <= cap) return 0;
  std::sort(values.begin(), values.end(), std::greater<>());
  double prefix = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    prefix += values[i];
    const double t = (prefix - cap) / static_cast<double>(i + 1);
    if (i + 1 == values.size() || values[i + 1] <= t) return t;
  }
  return 0;
}

}  // namespace capplan
