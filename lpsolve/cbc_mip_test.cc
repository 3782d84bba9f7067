// The MIP search: its answer checked against the rows and bounds, and what it
// tells while it runs (a better solution, a higher bound) checked against
// that answer; a linear program held to its limit; and every failure of the
// solver, or model it cannot take, answered as an error.
#include "cbc_mip.h"

#include <gtest/gtest.h>

#include <coin/CoinError.hpp>

#include <cmath>
#include <stdexcept>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define LPSOLVE_TEST_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LPSOLVE_TEST_LSAN 1
#endif
#endif
#ifdef LPSOLVE_TEST_LSAN
#include <sanitizer/lsan_interface.h>
#endif

namespace lpsolve {
namespace {

// COIN-OR frees little of what it holds when a failure unwinds through it:
// while one lives, the leak checker looks away from what is allocated.
class SolverLeaksIgnored {
 public:
#ifdef LPSOLVE_TEST_LSAN
  SolverLeaksIgnored() { __lsan_disable(); }
  ~SolverLeaksIgnored() { __lsan_enable(); }
#else
  SolverLeaksIgnored() {}
#endif
  SolverLeaksIgnored(const SolverLeaksIgnored&) = delete;
  SolverLeaksIgnored& operator=(const SolverLeaksIgnored&) = delete;
};

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

// The cover with every column continuous: a linear program of some
// hundreds of iterations.
LinearModel continuous_cover(int k) {
  LinearModel m = odd_cover(k);
  m.integer.assign(m.integer.size(), false);
  return m;
}

TEST(CbcMip, ALinearProgramKeepsTheTimeLimit) {
  const LinearModel m = continuous_cover(301);
  ASSERT_FALSE(m.has_integers());
  MipOptions options;
  options.seconds = 1e-9;  // past before the second iteration
  const MipResult late = solve_with_cbc(m, options);
  EXPECT_FALSE(late.has_solution);
  EXPECT_FALSE(late.failed);
  EXPECT_EQ(late.error.text(), "the solver found no solution in 1e-09 s");
  options.seconds = 60;
  const MipResult solved = solve_with_cbc(m, options);
  ASSERT_TRUE(solved.optimal) << solved.error.text();
  expect_feasible(m, solved.values);
  // The relaxation of the integer model is the same linear program.
  MipOptions relaxed;
  relaxed.relaxation_only = true;
  EXPECT_NEAR(solve_with_cbc(odd_cover(301), relaxed).objective, solved.objective, 1e-6);
}

TEST(CbcMip, WhatTheSolverThrowsIsAnAnswerThatSaysSo) {
  // The solver calls `tick` from inside its work: what it throws there goes
  // through the solver's own frames, as the solver's own failures do.
  const std::vector<std::pair<std::function<void()>, std::string>> failures = {
      {[] { throw CoinError("made up", "tick", "Test"); }, "the solver failed: made up (in Test::tick)"},
      {[] { throw std::runtime_error("made up"); }, "the solver failed: made up"},
      {[] { throw 7; }, "the solver failed in an unexpected way"},
  };
  for (const auto& [fail, message] : failures) {
    for (bool integer : {true, false}) {
      MipOptions options;
      options.tick = fail;
      const SolverLeaksIgnored unwound;
      const MipResult r = solve_with_cbc(integer ? odd_cover(51) : continuous_cover(301), options);
      EXPECT_TRUE(r.failed) << message;
      EXPECT_FALSE(r.has_solution);
      EXPECT_EQ(r.error.text(), message);
    }
  }
}

TEST(CbcMip, AMalformedModelIsRefusedBeforeTheSolverSeesIt) {
  const LinearModel good = odd_cover(7);
  auto refused = [](const LinearModel& m, const MipOptions& options) {
    const MipResult r = solve_with_cbc(m, options);
    EXPECT_TRUE(r.failed);
    EXPECT_FALSE(r.has_solution);
    return r.error.text();
  };
  LinearModel outside = good;
  outside.add_entry(0, outside.columns(), 1);
  EXPECT_EQ(refused(outside, {}), "the solver was handed a malformed model: coefficient 32 is outside the model "
                                  "(row 0, column 7)");
  LinearModel nan = good;
  nan.entry_value[3] = std::nan("");
  EXPECT_EQ(refused(nan, {}), "the solver was handed a malformed model: the coefficient of row 1, column 2 is not a number");
  LinearModel no_bounds = good;
  no_bounds.column_low[2] = LinearModel::kInfinity;
  EXPECT_EQ(refused(no_bounds, {}), "the solver was handed a malformed model: column 2 has no bounds");
  MipOptions uneven;
  uneven.start_columns = {0, 1};
  uneven.start_values = {1};
  EXPECT_EQ(refused(good, uneven), "the solver was handed a malformed model: the start names 2 columns and gives 1 values");
  MipOptions beyond;
  beyond.start_columns = {7};
  beyond.start_values = {1};
  EXPECT_EQ(refused(good, beyond), "the solver was handed a malformed model: the start names column 7, outside the model");
}

}  // namespace
}  // namespace lpsolve
