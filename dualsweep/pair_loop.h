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

// The span lines of the table: ends, working, what the span's cut alone
// restores (as capsweep), length.
std::vector<studyfiles::DualSpan> single_cuts(const DualStudy& study);

// One row per pair, in the order given, solved on `threads` threads (at
// least one). With `bound`, each row also gets the fractional bound. Given
// a `progress` stream, a line "dualsweep: N of M pairs (P%), S s" goes to it
// at most every kProgressSeconds while the pairs are solved.
inline constexpr double kProgressSeconds = 3.0;
std::vector<studyfiles::DualRow> solve_pairs(const DualStudy& study, const std::vector<SpanPair>& pairs, int threads,
                                             bool bound, std::FILE* progress = nullptr);
