// The MIP search: its answer checked against the rows and bounds, and what it
// tells while it runs (a better solution, a higher bound) checked against
// that answer.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "linear_model.h"

namespace {

// A weighted cover of an odd cycle of k columns (each two neighbours sum to
// at least 1) with knapsack rows across it: its LP bound lies well below its
// optimum, so the search has work to do.
LinearModel odd_cover(int k) {
  LinearModel m;
  for (int i = 0; i < k; ++i) m.add_column(1 + (i * 7) % 5, 0, 3, true);
  for (int i = 0; i < k; ++i) {
    const int r = m.add_row(1, LinearModel::kInfinity);
    m.add_entry(r, i, 1);
    m.add_entry(r, (i + 1) % k, 1);
  }
  for (int i = 0; i < k; i += 3) {
    const int r = m.add_row(7, LinearModel::kInfinity);
    for (int j = 0; j < 6; ++j) m.add_entry(r, (i + j * 5) % k, 2 + (i + j) % 3);
  }
  return m;
}

// Every row and bound holds, every integer column is whole.
void expect_feasible(const LinearModel& m, const std::vector<double>& x) {
  ASSERT_EQ(static_cast<int>(x.size()), m.columns());
  std::vector<double> row(m.rows(), 0);
  for (std::size_t e = 0; e < m.entry_row.size(); ++e) row[m.entry_row[e]] += m.entry_value[e] * x[m.entry_column[e]];
  for (int r = 0; r < m.rows(); ++r) {
    EXPECT_GE(row[r], m.row_low[r] - 1e-6) << "row " << r;
    EXPECT_LE(row[r], m.row_high[r] + 1e-6) << "row " << r;
  }
  for (int c = 0; c < m.columns(); ++c) {
    EXPECT_GE(x[c], m.column_low[c] - 1e-6);
    EXPECT_LE(x[c], m.column_high[c] + 1e-6);
    if (m.integer[c]) {
      EXPECT_NEAR(x[c], std::round(x[c]), 1e-6);
    }
  }
}

struct News {
  double best, bound;
};

TEST(CbcMip, TellsEachBetterSolutionAndBoundOnTheWayToTheOptimum) {
  const LinearModel m = odd_cover(51);
  std::vector<News> told;
  int ticks = 0;
  MipOptions options;
  options.seconds = 60;
  options.tick = [&] { ++ticks; };
  options.improved = [&](double best, double bound) { told.push_back({best, bound}); };
  const MipResult result = solve_with_cbc(m, options);
  ASSERT_TRUE(result.has_solution) << result.error.text();
  ASSERT_TRUE(result.optimal);
  expect_feasible(m, result.values);
  ASSERT_FALSE(told.empty());
  EXPECT_GT(ticks, 0);
  for (std::size_t k = 0; k < told.size(); ++k) {
    EXPECT_LE(told[k].bound, result.objective + 1e-6);
    if (!std::isinf(told[k].best)) {
      EXPECT_GE(told[k].best, result.objective - 1e-6);
    }
    if (k == 0) continue;
    // Each piece of news is better in one figure and worse in neither.
    EXPECT_LE(told[k].best, told[k - 1].best);
    EXPECT_GE(told[k].bound, told[k - 1].bound);
    EXPECT_TRUE(told[k].best < told[k - 1].best || told[k].bound > told[k - 1].bound);
  }
  EXPECT_NEAR(told.back().best, result.objective, 1e-6);
}

TEST(CbcMip, AStartIsKeptWhenTheSearchHasNoTime) {
  const LinearModel m = odd_cover(151);
  MipOptions options;
  options.seconds = 1e-4;  // too short to find a solution of its own
  double start_cost = 0;
  for (int c = 0; c < m.columns(); ++c) {
    options.start_columns.push_back(c);
    options.start_values.push_back(3);
    start_cost += 3 * m.objective[c];
  }
  const MipResult result = solve_with_cbc(m, options);
  ASSERT_TRUE(result.has_solution) << result.error.text();
  expect_feasible(m, result.values);
  EXPECT_LE(result.objective, start_cost);
  EXPECT_LE(result.bound, result.objective);
}

TEST(CbcMip, SaysWhenTheModelIsInfeasible) {
  LinearModel m;
  const int x = m.add_column(1, 0, 1, true);
  const int r = m.add_row(2, LinearModel::kInfinity);
  m.add_entry(r, x, 1);
  const MipResult result = solve_with_cbc(m, MipOptions{});
  EXPECT_FALSE(result.has_solution);
  EXPECT_EQ(result.error.text(), "the solver found the model infeasible");
}

}  // namespace
