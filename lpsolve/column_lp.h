// A linear program grown column by column, as column generation grows it:
// columns (and, for rows generated as they are found violated, rows) are
// added between solves, and each solve starts from the basis the last one
// ended with (Clp's primal simplex, a new row's slack basic), so that a few
// new columns cost a few pivots, not a new solve.
#pragma once

#include <memory>
#include <vector>

class ClpSimplex;

namespace lpsolve {

class ColumnLp {
 public:
  // One row per entry, low <= row <= high (LinearModel::kInfinity for none).
  ColumnLp(const std::vector<double>& row_low, const std::vector<double>& row_high);
  ~ColumnLp();
  ColumnLp(const ColumnLp&) = delete;
  ColumnLp& operator=(const ColumnLp&) = delete;

  // A new column: its cost (minimised), bounds, and its nonzero
  // coefficients by row. Returns its index; it joins at the next solve.
  int add_column(double cost, double low, double high, const std::vector<int>& rows, const std::vector<double>& values);
  int columns() const { return n_columns_; }
  // A new row over columns already added: its bounds and its nonzero
  // coefficients by column. Returns its index.
  int add_row(double low, double high, const std::vector<int>& columns, const std::vector<double>& values);
  int rows() const;

  // Solves from the last basis; true when an optimum was proved (false too
  // when the solver failed: nothing it throws escapes). With `seconds`
  // above 0, stops once that much wall clock is spent.
  bool solve(double seconds = 0);
  // Of the last optimal solve: the objective, each column's value, and each
  // row's price (the change of the objective per unit of the row's bound).
  double objective() const;
  std::vector<double> values() const;
  std::vector<double> row_duals() const;

 private:
  void flush();

  std::unique_ptr<ClpSimplex> model_;
  int n_columns_ = 0;
  // Columns added since the last solve, packed column by column.
  std::vector<double> cost_, low_, high_, value_;
  std::vector<int> start_{0}, row_;
};

}  // namespace lpsolve
