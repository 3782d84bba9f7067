// One span cut, whoever solves its trials: its demand bound computed, tried
// with the solver, searched downward when it does not route, and its row of
// the results table written. The cut loops (cut_loop, parallel) run it for
// every span.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "cut_network.h"
#include "inputs.h"
#include "network.h"
#include "search.h"

// The three header lines of the results table.
void write_results_header(std::FILE* results);

// One row of the results table.
struct Row {
  int edge = 0;  // the edge column
  std::string from_name;
  std::string to_name;
  int capacity = 0;
  bool feasible = false;
  int restored = 0;
  studyfiles::Answer answer;
  double percent = 0.0;
};
void write_row(std::FILE* results, const Row& row);

// Where one cut writes: its messages (standard output, or the cut's own text
// when cuts are solved in parallel) and its rows.
struct CutOutput {
  std::FILE* out = stdout;
  std::FILE* results = nullptr;
};

// How the trials of one cut are solved, and how the path report of its last
// trial is filed (its lines echoed on `out`).
struct CutSolver {
  Trial trial;
  std::function<void(std::FILE* out)> file_report;
};

// One cut of record `e`: its announcement, demand bound, trials and
// searches, its row and its path report.
void cut_span(const Options& options, const studyfiles::Netdata& net, const studyfiles::NodeList& nodes,
              const CutOutput& output, int e, const std::function<CutSolver()>& make_solver);

// The heading line of the cut loop.
void print_cut_loop_heading();
