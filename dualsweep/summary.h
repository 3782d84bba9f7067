// What dualsweep prints: the summary of a whole table (R1, R2, the pairs
// fully restored and losing everything, a histogram of R_ij, the twenty
// worst pairs, the bound and the availability when the table has them),
// made from the table alone, so that a gathered table prints what a whole
// run printed.
#pragma once

#include <string>

#include "dual_table.h"

std::string summary_text(const studyfiles::DualTable& table);

// The availability figures of a table with availability options.
struct Availability {
  double single = 0.0;  // expected working channels lost at a random moment, single cuts
  double dual = 0.0;    // the same, dual cuts
};
Availability availability_of(const studyfiles::DualTable& table);

// The fraction of the year span k (1-based) is down.
double unavailability(const studyfiles::DualTable& table, int k);

constexpr double kHoursPerYear = 8760.0;
