// The figures of a whole dualsweep table, made from the table alone, so that
// a gathered table prints what a whole run printed and capview shows what
// dualsweep printed: the summary (R1, R2, the pairs fully restored and
// losing everything, a histogram of R_ij, the twenty worst pairs, the bound
// and the availability when the table has them) and the CSV.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "dual_table.h"

namespace studyfiles {

std::string dual_summary_text(const DualTable& table);

// The table for a spreadsheet: a heading line, then one line per pair,
// span_i,span_j,from_i,to_i,from_j,to_j,w_i,w_j,r_i,r_j,percent[,bound].
std::string dual_csv_text(const DualTable& table);

// Up to `most` rows, the least restorable first (R_ij compared exactly, as
// fractions; ties in span order); indexes into the rows.
std::vector<std::size_t> worst_pairs(const DualTable& table, std::size_t most);

// The availability figures of a table with availability options.
struct Availability {
  double single = 0.0;  // expected working channels lost at a random moment, single cuts
  double dual = 0.0;    // the same, dual cuts
};
Availability availability_of(const DualTable& table);

// The fraction of the year span k (1-based) is down.
double unavailability(const DualTable& table, int k);

constexpr double kHoursPerYear = 8760.0;

}  // namespace studyfiles
