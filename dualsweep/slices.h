// The pairs in shares: the K-th of N shares takes every N-th pair in span
// order, starting with the K-th, so that the shares cost alike; and the
// gather that joins the tables of all N shares into the table a whole run
// writes.
#pragma once

#include <string>
#include <vector>

#include "dual_table.h"
#include "error.h"
#include "pair_loop.h"

namespace dualsweep {

// The pairs with rows (at least one of the two spans carries working
// channels), in span order; with slices > 0, only the slice-th share.
std::vector<SpanPair> pairs_of(const std::vector<studyfiles::DualSpan>& spans, int slice, int slices);

// Reads "K/N" (1 <= K <= N); false when the text is not that.
bool parse_slice(const std::string& text, int& slice, int& slices);

// Reads the slice tables and joins them into `whole`: every share 1..N of
// one run present once, each with the same header and exactly its pairs.
Error gather_slices(const std::vector<std::string>& files, studyfiles::DualTable& whole);

}  // namespace dualsweep
