// The span-cut loop: every span cut in turn, its demand bound computed,
// tried with the solver, searched downward when it does not route, and one
// row of the results table written per cut.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "cut_network.h"
#include "inputs.h"
#include "network.h"
#include "solver_exchange.h"

// The bound for cutting record `e` (1-based): the cut record and, in a
// bidirectional table, its twin `e + 1` add nothing.
DemandBound demand_bound(const NetData& net, int e);

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
  Answer answer;
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
void cut_span(const Options& options, const NetData& net, const NodeNames& names, const CutOutput& output, int e,
              const std::function<CutSolver()>& make_solver);

// The heading line of the cut loop.
void print_cut_loop_heading();

// Cuts every span of `net` in turn, solving with the command relax, and
// writes the rows into `results`, which is flushed after every cut: a failed
// write stops the run with a message naming `results_name`.
void cut_loop(const Options& options, const NetData& net, const NodeNames& names, std::FILE* results,
              const std::string& results_name);
