// The bound by two maximum flows against the linear program it stands for
// (the fractional two-commodity flow, solved with Clp) on every pair of the
// shipped examples and of random small networks, and worked by hand where
// the details lie: the cut parting i's ends from j's across, shared ends,
// parallel spans, no working channels.
#include "pair_bound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "cbc_mip.h"
#include "linear_model.h"
#include "pair_loop.h"
#include "small_study.h"

using lpsolve::LinearModel;
using studyfiles::EdgeRecord;

namespace dualsweep {

namespace {

// The largest r_i + r_j, r_i <= w_i and r_j <= w_j, of the two flows from
// each cut span's one end to its other over the spare of the other spans,
// both flows in both directions of a span within its spare together.
double lp_bound(const DualStudy& study, int i, int j) {
  const std::vector<EdgeRecord>& edges = study.net.edges;
  const int n_node = study.net.n_node;
  LinearModel m;
  // Per node and commodity, flow out minus flow in equals what the
  // commodity sends there (r at its source, -r at its sink).
  std::vector<int> balance_row(2 * static_cast<std::size_t>(n_node));
  for (int& row : balance_row) row = m.add_row(0.0, 0.0);
  auto balance = [&](int c, int node) { return balance_row[static_cast<std::size_t>(c * n_node + node - 1)]; };
  const int spans[2] = {i, j};
  for (int c = 0; c < 2; ++c) {
    const EdgeRecord& cut = study.span(spans[c]);
    const int r = m.add_column(-1.0, 0.0, static_cast<double>(cut.capacity), false);
    m.add_entry(balance(c, cut.from), r, -1.0);
    m.add_entry(balance(c, cut.to), r, 1.0);
  }
  for (std::size_t a = 0; a < edges.size(); a += 2) {
    const int span = static_cast<int>(a / 2) + 1;
    if (span == i || span == j) continue;
    const int shared = m.add_row(-LinearModel::kInfinity, static_cast<double>(edges[a].spare));
    for (int c = 0; c < 2; ++c) {
      for (const EdgeRecord* r : {&edges[a], &edges[a + 1]}) {
        const int f = m.add_column(0.0, 0.0, static_cast<double>(r->spare), false);
        m.add_entry(shared, f, 1.0);
        m.add_entry(balance(c, r->from), f, 1.0);
        m.add_entry(balance(c, r->to), f, -1.0);
      }
    }
  }
  lpsolve::MipOptions options;
  options.relaxation_only = true;
  options.seconds = 1e6;
  const lpsolve::MipResult result = lpsolve::solve_with_cbc(m, options);
  EXPECT_TRUE(result.optimal) << result.error.text();
  return -result.objective;
}

// Every pair both ways, the bound one PairBound gives in turn against the LP.
// The number of pairs the bound is above 0 on.
int expect_lp_on_every_pair(const DualStudy& study) {
  PairBound bound(study);
  int positive = 0;
  for (int i = 1; i <= study.span_count(); ++i) {
    for (int j = i + 1; j <= study.span_count(); ++j) {
      const long long value = bound.bound(i, j);
      SCOPED_TRACE(testing::Message() << "spans " << i << " and " << j);
      EXPECT_NEAR(static_cast<double>(value), lp_bound(study, i, j), 1e-6);
      EXPECT_EQ(bound.bound(j, i), value);
      if (value > 0) ++positive;
    }
  }
  return positive;
}

TEST(DualsweepBound, EqualsTheLinearProgramOnEveryPairOfTheExamples) {
  for (const char* net : {"nsfnet", "europe"}) {
    SCOPED_TRACE(net);
    const std::string dir = std::string(TOOLKIT_SOURCE_DIR) + "/examples/";
    DualStudy study;
    const Error e = read_dual_study(dir + net + "_nodes.txt", dir + net + ".dat", false, study);
    ASSERT_FALSE(e) << e.text();
    const int n_span = study.span_count();
    EXPECT_GT(expect_lp_on_every_pair(study), n_span * (n_span - 1) / 4);
  }
}

TEST(DualsweepBound, EqualsTheLinearProgramOnRandomNetworks) {
  std::mt19937 random(33);
  auto draw = [&](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
  int pairs = 0, positive = 0;
  for (int network = 0; network < 200; ++network) {
    // Few nodes, so that spans share ends and run parallel, either way.
    const int n_node = 2 + draw(6);
    const int n_span = 3 + draw(8);
    std::vector<SmallSpan> spans;
    for (int k = 0; k < n_span; ++k) {
      const int a = 1 + draw(n_node);
      const int b = (a + draw(n_node - 1)) % n_node + 1;
      spans.push_back({a, b, draw(3) == 0 ? 0 : draw(9), draw(4) == 0 ? 0 : 1 + draw(12)});
    }
    SCOPED_TRACE(testing::Message() << "network " << network);
    positive += expect_lp_on_every_pair(study_of(n_node, spans));
    pairs += n_span * (n_span - 1) / 2;
  }
  EXPECT_GT(pairs, 4000);
  EXPECT_GT(positive, pairs / 3);
}

TEST(DualsweepBound, TheCutAcrossCountsAsMuchAsTheCutBetweenFirstAndSecondEnds) {
  // Spans 1 (1-2) and 2 (3-4) with 3 working channels each. Over 1-4 and
  // 3-2 spare, each first end reaches the other's second end only: from the
  // first ends to the second ends 6 units flow, yet the cut of no span parts
  // 1 and 4 from 2 and 3: neither restores anything.
  const DualStudy across = study_of(4, {{1, 2, 0, 3}, {3, 4, 0, 3}, {1, 4, 5, 0}, {3, 2, 5, 0}});
  EXPECT_EQ(PairBound(across).bound(1, 2), 0);
  // Over 1-3 and 4-2 it is the other way round.
  const DualStudy along = study_of(4, {{1, 2, 0, 3}, {3, 4, 0, 3}, {1, 3, 5, 0}, {4, 2, 5, 0}});
  EXPECT_EQ(PairBound(along).bound(1, 2), 0);
  // With 2-3 added as well, the flows can meet: i over 1-3-2, j over 3-2-4.
  const DualStudy both = study_of(4, {{1, 2, 0, 3}, {3, 4, 0, 3}, {1, 3, 5, 0}, {4, 2, 5, 0}, {2, 3, 4, 0}});
  EXPECT_EQ(PairBound(both).bound(1, 2), 4);
  EXPECT_NEAR(lp_bound(both, 1, 2), 4.0, 1e-6);
}

TEST(DualsweepBound, SharedEndsParallelSpansAndNoWorking) {
  // Spans 1 (1-2, working 4) and 2 (1-3, working 4) meet at node 1, which
  // has 5 spare channels left, to node 4.
  const DualStudy shared = study_of(4, {{1, 2, 0, 4}, {1, 3, 0, 4}, {1, 4, 5, 0}, {4, 2, 9, 0}, {4, 3, 9, 0}});
  EXPECT_EQ(PairBound(shared).bound(1, 2), 5);
  // Parallel spans, one of them recorded the other way round, each carrying
  // spare that the cut takes away: 6 channels around them.
  const DualStudy parallel = study_of(3, {{1, 2, 7, 4}, {2, 1, 7, 5}, {1, 3, 6, 0}, {3, 2, 8, 0}});
  EXPECT_EQ(PairBound(parallel).bound(1, 2), 6);
  // Spans 2 and 3 carry no working channels, only spare, which their cut
  // takes away: span 1 keeps no route.
  const DualStudy idle = study_of(3, {{1, 2, 0, 4}, {2, 3, 9, 0}, {1, 3, 9, 0}});
  EXPECT_EQ(PairBound(idle).bound(1, 2), 0);
  EXPECT_EQ(PairBound(idle).bound(1, 3), 0);
  // Span 2 carries neither: span 1's maximum flow, within its 4.
  const DualStudy room = study_of(4, {{1, 2, 0, 4}, {3, 4, 0, 0}, {1, 3, 9, 0}, {3, 2, 9, 0}});
  EXPECT_EQ(PairBound(room).bound(1, 2), 4);
}

TEST(DualsweepBound, TheRowsOfEveryThreadCarryTheBound) {
  const DualStudy study = study_of(5, {{1, 2, 3, 4}, {2, 3, 2, 5}, {3, 4, 4, 1}, {4, 5, 1, 6}, {5, 1, 5, 2}, {1, 3, 2, 3}});
  std::vector<SpanPair> pairs;
  for (int i = 1; i <= 6; ++i)
    for (int j = i + 1; j <= 6; ++j) pairs.emplace_back(i, j);
  PairOptions options;
  options.threads = 3;
  options.bound = true;
  std::vector<studyfiles::DualRow> rows;
  solve_pairs(study, pairs, options, rows);
  ASSERT_EQ(rows.size(), pairs.size());
  for (std::size_t p = 0; p < pairs.size(); ++p) {
    const auto [i, j] = pairs[p];
    EXPECT_EQ(rows[p].bound, static_cast<double>(PairBound(study).bound(i, j)));
    EXPECT_NEAR(rows[p].bound, lp_bound(study, i, j), 1e-6);
    EXPECT_GE(rows[p].bound, rows[p].r_i + rows[p].r_j);
  }
}

}  // namespace

}  // namespace dualsweep
