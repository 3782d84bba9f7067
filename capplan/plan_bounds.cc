#include "plan_bounds.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace capplan {

namespace {

constexpr double kRelativeTolerance = 1e-8;
constexpr double kAbsoluteTolerance = 1e-6;

}  // namespace

long long whole_bound(double bound) {
  if (!(bound > 0)) return 0;
  if (bound >= 9e18) return std::numeric_limits<long long>::max();  // beyond any cost
  const double tolerance = std::max(kAbsoluteTolerance, kRelativeTolerance * bound);
  return static_cast<long long>(std::max(0.0, std::ceil(bound - tolerance)));
}

double gap_percent(long long cost, double bound) {
  if (cost == 0) return 0;
  if (bound <= 0) return -1;
  return 100.0 * (static_cast<double>(cost) - bound) / bound;
}

}  // namespace capplan
