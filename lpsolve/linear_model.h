// A linear program with integer columns, as a MIP solver is handed it: one
// bound pair and objective coefficient per column, one bound pair per row,
// and the nonzero coefficients as (row, column, value) triplets; the options
// of a solve and what it answers.
#pragma once

#include <functional>
#include <limits>
#include <vector>

#include "error.h"

namespace lpsolve {

struct LinearModel {
  static constexpr double kInfinity = std::numeric_limits<double>::infinity();

  std::vector<double> objective, column_low, column_high;  // per column; minimised
  std::vector<bool> integer;                                // per column
  std::vector<double> row_low, row_high;                    // per row
  std::vector<int> entry_row, entry_column;                 // the nonzero coefficients
  std::vector<double> entry_value;

  int columns() const { return static_cast<int>(objective.size()); }
  int rows() const { return static_cast<int>(row_low.size()); }
  bool has_integers() const;
  int add_column(double cost, double low, double high, bool is_integer);
  int add_row(double low, double high);
  void add_entry(int row, int column, double value);
};

struct MipOptions {
  double seconds = 60;           // wall-clock limit of the whole solve, a linear program's too
  bool relaxation_only = false;  // solve the LP relaxation: integer columns taken as continuous
  std::vector<int> start_columns;  // a known solution's values on these columns (may be empty)
  std::vector<double> start_values;  // as many as start_columns
  std::function<void()> tick;  // called now and then while the solver works (may be empty)
  // Called while the search runs, each time its best solution or its lower
  // bound improves: the best solution's objective (infinity while there is
  // none) and the bound (may be empty).
  std::function<void(double best, double bound)> improved;
};

struct MipResult {
  bool has_solution = false;  // `values` holds a solution within the rows and bounds
  bool optimal = false;       // and it is proven optimal (for the relaxation, if asked)
  bool failed = false;        // the solver failed, or was handed what it cannot take: `error` says how
  std::vector<double> values;
  double objective = 0;
  double bound = 0;           // no solution costs less than this
  std::vector<double> row_duals;  // of a solved relaxation: the price of each row
  Error error;                // why nothing could be had: no time, an infeasible model, a failure
};

// A solver of LinearModels: solve_with_cbc (cbc_mip.h), or a stand-in.
using MipSolver = std::function<MipResult(const LinearModel&, const MipOptions&)>;

// What a solver answers when it failed: `failed`, and the error.
MipResult solver_failure(const std::string& what);

// The model and the start of the options checked for what no solver takes:
// vectors of different lengths, a coefficient or a row or column index out
// of range, a value that is not a number, a start whose columns and values
// differ in number.
Error check_model(const LinearModel& model, const MipOptions& options);

}  // namespace lpsolve
