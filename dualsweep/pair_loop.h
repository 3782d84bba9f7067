// The pairs solved on threads: each thread with its own solver, taking the
// next few pairs as it finishes, every answer kept in the pair's own place,
// so that the rows are the same for any number of threads.
#pragma once

#include <cstdio>
#include <utility>
#include <vector>

#include "dual_table.h"
#include "study.h"

using SpanPair = std::pair<int, int>;

namespace dualsweep {

// The span lines of the table: ends, working, what the span's cut alone
// restores (as capsweep), length.
std::vector<studyfiles::DualSpan> single_cuts(const DualStudy& study);

inline constexpr double kProgressSeconds = 3.0;

struct PairOptions {
  int threads = 1;     // at least one
  bool bound = false;  // each row also gets the fractional bound
  // Given a stream, a line "dualsweep: N of M pairs (P%), S s" goes to it at
  // most every kProgressSeconds while the pairs are solved.
  std::FILE* progress = nullptr;
};

// One row per pair, in the order given, into `rows`. An exception on a
// thread (running out of memory) stops them all and is thrown again here.
void solve_pairs(const DualStudy& study, const std::vector<SpanPair>& pairs, const PairOptions& options,
                 std::vector<studyfiles::DualRow>& rows);

}  // namespace dualsweep
