// The LP grown column by column: after each batch of new columns its
// optimum is the optimum of the whole LP of the columns so far, solved from
// scratch, and its row prices price the columns as the optimum demands.
#include "column_lp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "cbc_mip.h"
#include "linear_model.h"

namespace lpsolve {
namespace {

// A packing LP: max sum x_c over columns c with random coverage of rows of
// capacity 1..4 (minimised as -x).
struct Column {
  std::vector<int> rows;
  double high;
};

std::vector<Column> columns_of(int n, int n_rows) {
  std::vector<Column> cols;
  unsigned seed = 12345;
  auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  for (int c = 0; c < n; ++c) {
    Column col{{}, static_cast<double>(1 + next() % 3)};
    for (int r = 0; r < n_rows; ++r)
      if (next() % 4 == 0) col.rows.push_back(r);
    cols.push_back(col);
  }
  return cols;
}

double from_scratch(const std::vector<Column>& cols, std::size_t n, const std::vector<double>& cap) {
  LinearModel m;
  for (double c : cap) m.add_row(-LinearModel::kInfinity, c);
  for (std::size_t c = 0; c < n; ++c) {
    const int x = m.add_column(-1, 0, cols[c].high, false);
    for (int r : cols[c].rows) m.add_entry(r, x, 1);
  }
  MipOptions o;
  o.relaxation_only = true;
  const MipResult r = solve_with_cbc(m, o);
  EXPECT_TRUE(r.optimal);
  return r.objective;
}

TEST(ColumnLp, EachSolveFromTheLastBasisMatchesASolveFromScratch) {
  const int n_rows = 12;
  std::vector<double> cap, low(n_rows, -LinearModel::kInfinity);
  for (int r = 0; r < n_rows; ++r) cap.push_back(1 + r % 4);
  const std::vector<Column> cols = columns_of(60, n_rows);
  ColumnLp lp(low, cap);
  std::size_t added = 0;
  for (std::size_t batch : {5u, 10u, 20u, 25u}) {
    for (std::size_t k = 0; k < batch; ++k, ++added)
      lp.add_column(-1, 0, cols[added].high, cols[added].rows, std::vector<double>(cols[added].rows.size(), 1.0));
    ASSERT_TRUE(lp.solve());
    EXPECT_NEAR(lp.objective(), from_scratch(cols, added, cap), 1e-7) << added << " columns";
    EXPECT_EQ(lp.columns(), static_cast<int>(added));
    // Complementary slackness: a column strictly between its bounds has a
    // reduced cost of zero, priced by the row duals.
    const std::vector<double> x = lp.values(), y = lp.row_duals();
    for (std::size_t c = 0; c < added; ++c) {
      double reduced = -1;
      for (int r : cols[c].rows) reduced -= y[static_cast<std::size_t>(r)];
      if (x[c] > 1e-7 && x[c] < cols[c].high - 1e-7) {
        EXPECT_NEAR(reduced, 0.0, 1e-7) << "column " << c;
      }
      if (x[c] < 1e-7) {
        EXPECT_GE(reduced, -1e-7) << "column " << c;
      }
    }
  }
}

TEST(ColumnLp, RowsAddedBetweenSolvesMatchASolveFromScratch) {
  // The same packing LP, its rows joining only when a column first covers
  // them (an empty row holds nothing), as column generation adds them; and
  // a covering row on the first column, so that a row's own coefficients
  // count too.
  const int n_rows = 12;
  std::vector<double> cap;
  for (int r = 0; r < n_rows; ++r) cap.push_back(1 + r % 4);
  const std::vector<Column> cols = columns_of(60, n_rows);
  ColumnLp lp({}, {});
  std::vector<int> row_of(n_rows, -1);
  std::vector<double> row_cap;
  std::vector<Column> renumbered;
  std::size_t added = 0;
  for (std::size_t batch : {4u, 8u, 16u, 32u}) {
    for (std::size_t k = 0; k < batch; ++k, ++added) {
      Column col{{}, cols[added].high};
      for (int r : cols[added].rows) {
        if (row_of[r] < 0) {
          row_of[r] = lp.add_row(-LinearModel::kInfinity, cap[r], {}, {});
          row_cap.push_back(cap[r]);
        }
        col.rows.push_back(row_of[r]);
      }
      lp.add_column(-1, 0, col.high, col.rows, std::vector<double>(col.rows.size(), 1.0));
      renumbered.push_back(col);
    }
    ASSERT_TRUE(lp.solve());
    EXPECT_EQ(lp.rows(), static_cast<int>(row_cap.size()));
    EXPECT_NEAR(lp.objective(), from_scratch(renumbered, added, row_cap), 1e-7) << added << " columns";
  }
  // A row over columns already in: the first column at most half its bound.
  const int half = lp.add_row(-LinearModel::kInfinity, cols[0].high / 2, {0}, {1.0});
  ASSERT_TRUE(lp.solve());
  EXPECT_LE(lp.values()[0], cols[0].high / 2 + 1e-7);
  EXPECT_EQ(half, lp.rows() - 1);
}

// Rows joining between solves (a row generated once violated): the program
// with the first rows, then all, solved from its last basis, ends at the
// optimum of the whole program solved from scratch.
TEST(ColumnLp, RowsAddedBetweenSolvesEndAtTheWholeOptimum) {
  const int n_rows = 12;
  std::vector<double> cap;
  for (int r = 0; r < n_rows; ++r) cap.push_back(1 + r % 4);
  const std::vector<Column> cols = columns_of(40, n_rows);
  ColumnLp lp({}, {});
  EXPECT_EQ(lp.rows(), 0);
  for (int r = 0; r < n_rows / 2; ++r) EXPECT_EQ(lp.add_row(-LinearModel::kInfinity, cap[r], {}, {}), r);
  for (const Column& c : cols) {
    std::vector<int> rows;
    for (int r : c.rows)
      if (r < n_rows / 2) rows.push_back(r);
    lp.add_column(-1, 0, c.high, rows, std::vector<double>(rows.size(), 1.0));
  }
  ASSERT_TRUE(lp.solve());
  const double fewer = lp.objective();
  for (int r = n_rows / 2; r < n_rows; ++r) {
    std::vector<int> on;
    for (std::size_t c = 0; c < cols.size(); ++c)
      if (std::find(cols[c].rows.begin(), cols[c].rows.end(), r) != cols[c].rows.end())
        on.push_back(static_cast<int>(c));
    lp.add_row(-LinearModel::kInfinity, cap[r], on, std::vector<double>(on.size(), 1.0));
  }
  ASSERT_TRUE(lp.solve(60));
  EXPECT_NEAR(lp.objective(), from_scratch(cols, cols.size(), cap), 1e-7);
  EXPECT_GE(lp.objective(), fewer - 1e-7);  // more rows, no better
  EXPECT_EQ(lp.row_duals().size(), static_cast<std::size_t>(n_rows));
}

// The dual simplex after rows alone joined: at each step the optimum of the
// whole program of the rows so far, solved from scratch, however many rows
// the last solution breaks; then new columns by the primal simplex again.
TEST(ColumnLp, TheDualSimplexAfterRowsJoinEndsAtTheOptimum) {
  const int n_rows = 12;
  std::vector<double> cap;
  for (int r = 0; r < n_rows; ++r) cap.push_back(1 + r % 4);
  const std::vector<Column> cols = columns_of(50, n_rows);
  ColumnLp lp({}, {});
  const auto column_rows = [&](const Column& c, int rows_in) {
    std::vector<int> rows;
    for (int r : c.rows)
      if (r < rows_in) rows.push_back(r);
    return rows;
  };
  for (std::size_t c = 0; c < 40; ++c) {
    const std::vector<int> rows = column_rows(cols[c], 0);
    lp.add_column(-1, 0, cols[c].high, rows, std::vector<double>(rows.size(), 1.0));
  }
  ASSERT_TRUE(lp.solve());
  double last = lp.objective();
  std::vector<double> caps;
  for (int rows_in : {3, 7, 12}) {
    for (int r = lp.rows(); r < rows_in; ++r) {
      std::vector<int> on;
      for (std::size_t c = 0; c < 40; ++c)
        if (std::find(cols[c].rows.begin(), cols[c].rows.end(), r) != cols[c].rows.end())
          on.push_back(static_cast<int>(c));
      lp.add_row(-LinearModel::kInfinity, cap[static_cast<std::size_t>(r)], on, std::vector<double>(on.size(), 1.0));
      caps.push_back(cap[static_cast<std::size_t>(r)]);
    }
    ASSERT_TRUE(lp.solve(0, ColumnLp::Simplex::dual));
    std::vector<Column> cut;
    for (std::size_t c = 0; c < 40; ++c) cut.push_back({column_rows(cols[c], rows_in), cols[c].high});
    EXPECT_NEAR(lp.objective(), from_scratch(cut, cut.size(), caps), 1e-7) << rows_in << " rows";
    EXPECT_GE(lp.objective(), last - 1e-7);  // more rows, no better
    last = lp.objective();
  }
  for (std::size_t c = 40; c < cols.size(); ++c)
    lp.add_column(-1, 0, cols[c].high, cols[c].rows, std::vector<double>(cols[c].rows.size(), 1.0));
  ASSERT_TRUE(lp.solve());
  EXPECT_NEAR(lp.objective(), from_scratch(cols, cols.size(), cap), 1e-7);
}

// A covering program grown by rows, as a program of cuts grows: the
// columns first, then rows in batches, each batch solved by the dual
// simplex from the last basis; each optimum is that of the rows so far
// solved from scratch, and never falls as rows join.
TEST(ColumnLp, DualSimplexAfterEachBatchOfRowsMatchesASolveFromScratch) {
  const int n_rows = 24;
  const std::vector<Column> cols = columns_of(30, n_rows);
  ColumnLp lp({}, {});
  for (std::size_t c = 0; c < cols.size(); ++c) lp.add_column(1.0 + static_cast<double>(c % 5), 0, 10, {}, {});
  ASSERT_TRUE(lp.solve(0, ColumnLp::Simplex::dual));
  EXPECT_NEAR(lp.objective(), 0.0, 1e-9);
  LinearModel m;
  for (std::size_t c = 0; c < cols.size(); ++c) m.add_column(1.0 + static_cast<double>(c % 5), 0, 10, false);
  double last = 0;
  int r = 0;
  for (int batch : {3, 5, 8, 8}) {
    for (int k = 0; k < batch; ++k, ++r) {
      // Row r: the columns that cover it, at least 1 + r % 3 of them.
      std::vector<int> on;
      for (std::size_t c = 0; c < cols.size(); ++c)
        if (std::find(cols[c].rows.begin(), cols[c].rows.end(), r) != cols[c].rows.end()) on.push_back(static_cast<int>(c));
      const double need = 1 + r % 3;
      lp.add_row(need, LinearModel::kInfinity, on, std::vector<double>(on.size(), 1.0));
      const int row = m.add_row(need, LinearModel::kInfinity);
      for (int c : on) m.add_entry(row, c, 1.0);
    }
    ASSERT_TRUE(lp.solve(0, ColumnLp::Simplex::dual));
    MipOptions o;
    o.relaxation_only = true;
    const MipResult scratch = solve_with_cbc(m, o);
    ASSERT_TRUE(scratch.optimal);
    EXPECT_NEAR(lp.objective(), scratch.objective, 1e-7) << r << " rows";
    EXPECT_GE(lp.objective(), last - 1e-9);
    last = lp.objective();
    // The solution meets every row.
    const std::vector<double> x = lp.values();
    for (int q = 0; q < r; ++q) {
      double sum = 0;
      for (std::size_t c = 0; c < cols.size(); ++c)
        if (std::find(cols[c].rows.begin(), cols[c].rows.end(), q) != cols[c].rows.end()) sum += x[c];
      EXPECT_GE(sum, 1 + q % 3 - 1e-7) << "row " << q;
    }
  }
}

}  // namespace
}  // namespace lpsolve
