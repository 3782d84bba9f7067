#include "search.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

using studyfiles::Answer;

namespace {

// A solver that routes every demand up to a threshold and remembers what it
// was asked.
struct FakeSolver {
  int threshold = 0;
  std::vector<int> asked;
};

Search make_search(FakeSolver& solver, std::FILE* results, int capacity, int debug = 0) {
  Search s;
  s.results = results;
  s.debug = debug;
  s.e = 3;
  s.from_name = "AA";
  s.to_name = "BB";
  s.capacity = capacity;
  s.trial = [&solver](int demand) {
    solver.asked.push_back(demand);
    Answer a;
    a.is_feas = demand <= solver.threshold ? 1 : 0;
    a.elapsed_time = 0.5;
    a.cpu_time = 0.25;
    a.opt_cost = demand;
    return a;
  };
  return s;
}

constexpr const char* kExponentialBanner =
    "\n---------------------------------------------------------------------------\n"
    "---------------------------EXPONENTIAL FIT-----------------------------------\n"
    "---------------------------------------------------------------------------\n\n";

using Strategy = void (*)(Search&, int demand);

void exponential(Search& s, int d) { exponential_stat(s, d, 1, Totals{}); }
void linear(Search& s, int d) { linear_stat(s, d, 1, Totals{}); }
void loop_bisection(Search& s, int d) { bisection(s, d - (d - 1) / 2, d, d - 1, 1, 0, Totals{}); }

struct Expectation {
  const char* name;
  Strategy strategy;
  int demand;
  int threshold;
  std::vector<int> asked;
  int final_demand;
};

TEST(CapsweepSearch, TrialSequencesAndReports) {
  const Expectation cases[] = {
      // Nothing of 9, 7, 3 routes; the bisection starts at 2 below 3.
      {"exponential D=10, none", exponential, 10, 0, {9, 7, 3, 2, 1}, 0},
      {"exponential D=10, threshold 2", exponential, 10, 2, {9, 7, 3, 2}, 2},
      // The first trial routes and lies next to D: no bisection.
      {"exponential D=10, first routes", exponential, 10, 9, {9}, 9},
      // 4 and 2 fail; no halving trial, the last attempt at 1 decides.
      {"exponential D=5, last attempt routes", exponential, 5, 1, {4, 2, 1}, 1},
      {"exponential D=5, last attempt fails", exponential, 5, 0, {4, 2, 1}, 0},
      {"linear D=30", linear, 30, 1, {26, 22, 18, 14, 10, 6, 2, 1}, 1},
      {"linear D=5 steps by 1", linear, 5, 2, {4, 3, 2}, 2},
      {"bisection D=10", loop_bisection, 10, 7, {6, 8, 7}, 7},
      {"bisection D=3, none", loop_bisection, 3, 0, {2, 1}, 0},
      // A bound of 1 that does not route leaves nothing to try.
      {"exponential D=1", exponential, 1, 0, {}, 0},
      {"linear D=1", linear, 1, 0, {}, 0},
      {"bisection D=1", loop_bisection, 1, 0, {}, 0},
  };
  for (const Expectation& c : cases) {
    MemoryFile results;
    FakeSolver solver{c.threshold, {}};
    Search s = make_search(solver, results.get(), 10);
    c.strategy(s, c.demand);
    EXPECT_EQ(solver.asked, c.asked) << c.name;
    EXPECT_EQ(s.final_demand, c.final_demand) << c.name;
    EXPECT_DOUBLE_EQ(s.final_percent_res, c.final_demand * 10.0) << c.name;
  }
}

TEST(CapsweepSearch, EveryStrategyFindsTheLargestDemandThatRoutes) {
  for (Strategy strategy : {exponential, linear, loop_bisection}) {
    for (int demand = 1; demand <= 70; ++demand) {
      for (int threshold = 0; threshold < demand; ++threshold) {
        MemoryFile results;
        FakeSolver solver{threshold, {}};
        Search s = make_search(solver, results.get(), demand);
        strategy(s, demand);
        EXPECT_EQ(s.final_demand, threshold) << "D=" << demand;
        for (int d : solver.asked) EXPECT_TRUE(d >= 1 && d < demand) << "D=" << demand << " asked " << d;
      }
    }
  }
}

TEST(CapsweepSearch, OnlyTheExponentialBannerIsWrittenWithoutDebug) {
  MemoryFile results;
  FakeSolver solver{1, {}};
  Search s = make_search(solver, results.get(), 10);
  exponential_stat(s, 5, 1, Totals{});
  linear_stat(s, 5, 1, Totals{});
  bisection(s, 3, 5, 4, 1, 0, Totals{});
  EXPECT_EQ(results.text(), kExponentialBanner);
}

TEST(CapsweepSearch, DebugWritesARowPerTrialWithRunningTotals) {
  MemoryFile results;
  FakeSolver solver{1, {}};
  Search s = make_search(solver, results.get(), 10, 1);
  exponential_stat(s, 5, 1, Totals{});
  EXPECT_EQ(results.text(),
            std::string(kExponentialBanner) +
            "   3    AA     BB      10    N        4     0.500000   0.250000   4     40.00%  "
            "0.500000  0.250000     1   -1\n"
            "   3    AA     BB      10    N        2     0.500000   0.250000   2     20.00%  "
            "1.000000  0.500000     2   -2\n"
            "\n---------------------------------------------------------------------------\n"
            "------------------------------BISECTION--------------------------------------\n"
            "---------------------------------------------------------------------------\n\n"
            "\n\n********** LAST ATTEMPT *********** Need to try lower bound!!\n\n"
            "   3    AA     BB      10    Y        1     0.500000   0.250000   1     10.00%  "
            "1.500000  0.750000    3    0\n");
}

}  // namespace

// The row after a search shows the answer of the search's last trial, which
// the search hands back; without a trial it keeps the answer it started from.
TEST(CapsweepSearch, HandsBackTheLastTrialsAnswer) {
  MemoryFile results;
  FakeSolver solver{7, {}};
  Search s = make_search(solver, results.get(), 10);
  bisection(s, 6, 10, 9, 1, 0, Totals{});  // tries 6, 8, 7
  EXPECT_EQ(s.last_answer.is_feas, 1);
  EXPECT_EQ(s.last_answer.opt_cost, 7.0);

  Search none = make_search(solver, results.get(), 1);
  none.last_answer.opt_cost = 42.0;
  exponential_stat(none, 1, 1, Totals{});  // a bound of 1: no trial
  EXPECT_EQ(none.last_answer.opt_cost, 42.0);
}
