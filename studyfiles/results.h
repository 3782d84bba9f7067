// capsweep's results table: the three header lines, then one row per cut
// that reached the table, with whatever the search strategies wrote in
// between (trial rows, search banners, last-attempt notes, closing banners of
// strategy 4). capsweep writes it with the formats below; capview reads it,
// passing over what the searches wrote.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "error.h"

namespace studyfiles {

// One row of the results table, as written.
struct ResultRow {
  int line = 0;  // line of the results file
  int edge = 0;  // the Edge column
  std::string from, to;
  int working = 0;  // the To Restore column: capacity of the cut record
  bool feasible = false;
  int restored = 0;  // the Poss Restore column
  double elapsed = 0.0, cpu = 0.0, cost = 0.0;
  double percent = 0.0;
};

// The three header lines that capsweep writes when it creates the file.
extern const char* const kResultsHeader;

// A row of the table: " %3d   %3s    %3s     %3d ", "   Y  " or "   N  ",
// then "    %3d    %9.6lf  %9.6lf   %3.0lf    %6.2lf%%\n". `line` is not
// written.
std::string format_result_row(const ResultRow& row);

// The first part of a search's trial row, up to its percent sign and the two
// blanks after it: the same fields as a row, with one blank less before the
// cost. The running totals follow it.
std::string format_trial_row(const ResultRow& row);

// Reads the rows of a results file's text. Returns the error that names the
// file and the line, or no error.
Error read_results(std::string_view text, const std::string& file_name, std::vector<ResultRow>& rows);

}  // namespace studyfiles
