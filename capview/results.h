// capview's reader of capsweep's results file: the three header lines, then
// one row per cut that reached the table, with whatever the search
// strategies wrote in between (trial rows, search banners, last-attempt
// notes, closing banners of strategy 4), which the reader passes over.
#pragma once

#include <string>
#include <string_view>
#include <vector>

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

// Reads the rows of a results file's text. Returns an error text naming the
// file and the line, or an empty string.
std::string read_results(std::string_view text, const std::string& file_name, std::vector<ResultRow>& rows);
