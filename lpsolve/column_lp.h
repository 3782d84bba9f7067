// A linear program grown column by column, as column generation grows it:
// columns are added between solves, and each solve starts from the basis the
// last one ended with (Clp's primal simplex), so that a few new columns cost
// a few pivots, not a new solve. Rows may be added too, where a model keeps
// only the rows its columns so far touch: a new row joins with its slack in
// the basis, so that a row the last solution meets keeps that basis feasible.
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

  // A new row, low <= row <= high, with its nonzero coefficients on columns
  // added before it. Returns its index; it joins at the next solve, and
  // columns added after it may have coefficients on it.
  int add_row(double low, double high, const std::vector<int>& columns, const std::vector<double>& values);
  int rows() const { return n_rows_; }
  // New bounds of a row added before; the next solve starts from the last
  // basis all the same (the dual simplex suits it).
  void set_row_bounds(int row, double low, double high);

  // The simplex that resumes from the last basis: the primal one after new
  // columns (the basis stays primal feasible), the dual one after new rows
  // that the last solution breaks (it stays dual feasible).
  enum class Simplex { primal, dual };

  // Solves from the last basis; true when an optimum was proved (false too
  // when the solver failed: nothing it throws escapes). With `seconds`
  // above 0, stops once that much wall clock is spent.
  bool solve(double seconds = 0, Simplex simplex = Simplex::primal);
  // Perturb the costs at the start of every solve rather than once the
  // simplex stalls: faster on highly degenerate programs (many routes of
  // equal cost).
  void perturb_from_start();
  // Of the last optimal solve: the objective, each column's value, and each
  // row's price (the change of the objective per unit of the row's bound).
  double objective() const;
  std::vector<double> values() const;
  std::vector<double> row_duals() const;

 private:
  void flush();

  std::unique_ptr<ClpSimplex> model_;
  void flush_columns();
  void flush_rows();

  // Rows or columns added since the last solve, packed one after another:
  // their bounds, and their coefficients by the index of the other kind.
  struct Packed {
    std::vector<double> low, high, value;
    std::vector<int> start{0}, index;
    bool empty() const { return low.empty(); }
    int size() const { return static_cast<int>(low.size()); }
    void add(double lo, double hi, const std::vector<int>& indexes, const std::vector<double>& values);
    void clear();
  };

  int n_columns_ = 0;
  int n_rows_ = 0;
  Packed columns_;            // with their costs:
  std::vector<double> cost_;
  Packed rows_;
};

}  // namespace lpsolve
