// A plan's cost beside what is proved of it: the one rounding of a solver's
// bound to a whole cost, and the gap, for the summary and the progress lines.
#pragma once

namespace capplan {

// No plan costs less than this whole cost when no plan costs less than
// `bound`: bound rounded up, less a tolerance relative to its size (the
// solver's arithmetic errs in proportion to the objective, some parts in
// 10^8 at most), so that the solver's rounding never lifts a bound by a
// whole unit. Never below 0 (no plan costs less than nothing).
long long whole_bound(double bound);

// The gap between a plan's cost and its lower bound, in percent of the bound
// (0 for a plan of cost 0; -1 when the bound is 0 and the cost is not).
double gap_percent(long long cost, double bound);

}  // namespace capplan
