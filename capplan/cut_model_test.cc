// The model over cut rows against the arc-flow model, solved in one piece by
// CBC: the same optimum once no cut falls short, a bound at or below it at
// every round, every row a certificate of its own (a set of spans that
// separates a cut's ends), the same rows on any number of threads, and an
// integer model that bounds every whole plan and, repaired, gives one.
#include "cut_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "arc_flow.h"
#include "cbc_mip.h"
#include "restoration.h"
#include "span_test_networks.h"

namespace capplan {
namespace {

using lpsolve::LinearModel;
using lpsolve::MipOptions;
using lpsolve::MipResult;

using testing_networks::arc_flow_optimum;
using testing_networks::cuts_of;
using testing_networks::ring_with_chords;

// Whether removing `removed` leaves no route between a and b (a search).
bool separates(const SpanNetwork& net, const std::vector<bool>& removed, int a, int b) {
  std::vector<bool> seen(static_cast<std::size_t>(net.n_node) + 1, false);
  std::vector<int> stack{a};
  seen[static_cast<std::size_t>(a)] = true;
  while (!stack.empty()) {
    const int v = stack.back();
    stack.pop_back();
    for (std::size_t k = 0; k < net.spans.size(); ++k) {
      if (removed[k]) continue;
      const int w = net.spans[k].from == v ? net.spans[k].to : net.spans[k].to == v ? net.spans[k].from : 0;
      if (w != 0 && !seen[static_cast<std::size_t>(w)]) {
        seen[static_cast<std::size_t>(w)] = true;
        stack.push_back(w);
      }
    }
  }
  return !seen[static_cast<std::size_t>(b)];
}

// Each row of `m` (after the spare columns, the only ones) holds for every
// plan: some cut f's ends are parted by the row's spans with f, and the
// row asks for f's working less the row's kept spare.
void expect_valid_rows(const SpanNetwork& net, const std::vector<int>& cuts, const LinearModel& m) {
  std::vector<std::vector<int>> spans_of(static_cast<std::size_t>(m.rows()));
  for (std::size_t e = 0; e < m.entry_row.size(); ++e)
    spans_of[static_cast<std::size_t>(m.entry_row[e])].push_back(m.entry_column[e]);
  for (int r = 0; r < m.rows(); ++r) {
    std::vector<bool> removed(net.spans.size(), false);
    long long kept = 0;
    for (int k : spans_of[static_cast<std::size_t>(r)]) {
      removed[static_cast<std::size_t>(k)] = true;
      kept += net.spans[static_cast<std::size_t>(k)].spare;
    }
    bool certified = false;
    for (int f : cuts) {
      if (removed[static_cast<std::size_t>(f)]) continue;
      std::vector<bool> without = removed;
      without[static_cast<std::size_t>(f)] = true;
      const PlanSpan& cut = net.spans[static_cast<std::size_t>(f)];
      if (separates(net, without, cut.from, cut.to) &&
          m.row_low[static_cast<std::size_t>(r)] == static_cast<double>(cut.working - kept))
        certified = true;
    }
    EXPECT_TRUE(certified) << "row " << r << " is no cut of any span";
  }
}

TEST(CutModel, GrownToTheEndItMeetsTheArcFlowOptimumOnAnyThreads) {
  std::mt19937 random(33);
  for (int trial = 0; trial < 20; ++trial) {
    const SpanNetwork net = ring_with_chords(random, 5 + trial, 3 + trial, trial % 3 == 1);
    const std::vector<int> cuts = cuts_of(net);
    SCOPED_TRACE(testing::Message() << "trial " << trial << ": " << net.n_node << " nodes, " << net.spans.size() << " spans");
    CutModel model(net, cuts, 1), threaded(net, cuts, 3);
    ASSERT_TRUE(model.grow({}));
    ASSERT_TRUE(threaded.grow({}));
    ASSERT_TRUE(model.solved());
    const double optimum = arc_flow_optimum(net, cuts);
    EXPECT_NEAR(model.bound(), optimum, 1e-6 * std::max(1.0, optimum));
    EXPECT_EQ(threaded.rows(), model.rows());
    EXPECT_EQ(threaded.rounds(), model.rounds());
    EXPECT_EQ(threaded.bound(), model.bound());
    // The spare of the optimum, rounded up, restores every cut.
    std::vector<long long> spare;
    for (std::size_t k = 0; k < net.spans.size(); ++k)
      spare.push_back(net.spans[k].spare + static_cast<long long>(std::ceil(model.spare()[k] - 1e-6)));
    EXPECT_TRUE(short_cuts(net, spare, {}).empty());
    expect_valid_rows(net, cuts, model.model());
  }
}

TEST(CutModel, EveryRoundsOptimumIsABoundAndTheBoundsRise) {
  std::mt19937 random(7);
  int below = 0;
  for (int trial = 0; trial < 8; ++trial) {
    const SpanNetwork net = ring_with_chords(random, 16 + trial, 30 + 2 * trial, trial % 2 == 1);
    const std::vector<int> cuts = cuts_of(net);
    const double optimum = arc_flow_optimum(net, cuts);
    double last = 0;
    for (int rounds : {1, 2, 4, 8}) {
      CutModel model(net, cuts, 2);
      int asked = 0;
      ASSERT_TRUE(model.grow([&] { return asked++ >= rounds; }));
      SCOPED_TRACE(testing::Message() << "trial " << trial << ", " << rounds << " rounds");
      EXPECT_LE(model.bound(), optimum + 1e-6 * std::max(1.0, optimum));
      EXPECT_GE(model.bound(), last - 1e-9);
      last = model.bound();
      if (!model.solved() && model.bound() < optimum - 1e-6) ++below;
      // Stopped short, the rounded spare may leave cuts short: the repair
      // restores them, adding spare only.
      std::vector<long long> spare;
      for (std::size_t k = 0; k < net.spans.size(); ++k)
        spare.push_back(net.spans[k].spare + static_cast<long long>(std::ceil(model.spare()[k] - 1e-6)));
      const std::vector<long long> before = spare;
      repair_spare(net, spare, {});
      EXPECT_TRUE(short_cuts(net, spare, {}).empty());
      for (std::size_t k = 0; k < spare.size(); ++k) EXPECT_GE(spare[k], before[k]);
    }
  }
  EXPECT_GT(below, 0);  // some growth did stop before the optimum
}

TEST(CutModel, ItsIntegerModelBoundsEveryWholePlan) {
  // CBC's optimum over the rows found lies between the linear optimum and
  // the whole optimum over arc flows (the rows hold for every plan); its
  // solution, repaired, is a plan.
  std::mt19937 random(5);
  for (int trial = 0; trial < 6; ++trial) {
    const SpanNetwork net = ring_with_chords(random, 6 + trial, 4 + trial, trial % 2 == 0);
    const std::vector<int> cuts = cuts_of(net);
    CutModel model(net, cuts, 2);
    ASSERT_TRUE(model.grow({}));
    const MipResult mip = lpsolve::solve_with_cbc(model.model(), MipOptions{});
    const MipResult whole = lpsolve::solve_with_cbc(arc_flow_model(net, cuts), MipOptions{});
    ASSERT_TRUE(mip.optimal);
    ASSERT_TRUE(whole.optimal);
    SCOPED_TRACE(testing::Message() << "trial " << trial);
    EXPECT_GE(mip.objective, model.bound() - 1e-6);
    EXPECT_LE(mip.objective, whole.objective + 1e-6);
    std::vector<long long> spare;
    for (std::size_t k = 0; k < net.spans.size(); ++k) spare.push_back(net.spans[k].spare + std::llround(mip.values[k]));
    repair_spare(net, spare, {});
    EXPECT_TRUE(short_cuts(net, spare, {}).empty());
  }
}

}  // namespace
}  // namespace capplan
