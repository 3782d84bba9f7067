// The searches for the largest demand that routes when the demand bound of a
// cut does not: exponential steps, linear steps, and the bisection that both
// hand over to. Each leaves its answer in `final_demand` and
// `final_percent_res`; in debug mode each solver trial writes a row into the
// results file.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "exchange.h"

// Runs one solver trial for a demand and returns the answer (or stops the
// run). The searches and the cut get one for the cut at hand, from relax run
// as a command (solver_exchange) or from the solve inside capsweep
// (in_process).
using Trial = std::function<studyfiles::Answer(int demand)>;

// The cut a search works on, and what it reports.
struct Search {
  std::FILE* results = nullptr;
  int debug = 0;
  int e = 0;                  // cut index, shown in the trial rows
  std::string from_name;      // names of the cut record's ends
  std::string to_name;
  int capacity = 0;           // of the cut record
  Trial trial;                // one solver trial for a demand

  int final_demand = 0;
  double final_percent_res = 0.0;
  // The answer of the last solver trial: the search's own last trial, or the
  // answer it started from when it made none.
  studyfiles::Answer last_answer;
  // Where the search's messages go: standard output, or the cut's own text
  // when cuts are solved in parallel.
  std::FILE* out = stdout;
};

// Solver trials so far and their summed times; they travel from a step
// search into the bisection it starts.
struct Totals {
  int run_count = 0;
  double elapsed_total = 0.0;
  double cpu_total = 0.0;
};

// Tries D - 1, D - 3, D - 7, ... while at or above `lower`, until one routes.
void exponential_stat(Search& s, int demand, int lower, Totals totals);

// Tries demands a seventh of (D - lower) apart, at least 1, until one routes.
void linear_stat(Search& s, int demand, int lower, Totals totals);

// Halves the interval (lower, upper]; the demand at `upper` is known not to
// route. `found` is nonzero once some demand of the interval has routed.
void bisection(Search& s, int start, int upper, int distance, int lower, int found, Totals totals);

// A demand as a percentage of the cut record's capacity.
double percent_of(int demand, int capacity);
