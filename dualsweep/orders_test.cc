// The pair restorations against a brute force over integral two-commodity
// flows on small networks, the bound never below the same, and a ring.
#include "orders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "pair_bound.h"
#include "small_study.h"

namespace dualsweep {

namespace {

// Span k's cost, both records.
void set_cost(DualStudy& s, int k, int cost) {
  s.net.edges[static_cast<std::size_t>(2 * k - 2)].cost = cost;
  s.net.edges[static_cast<std::size_t>(2 * k - 1)].cost = cost;
}

long long bound_of(const DualStudy& study, int i, int j) { return PairBound(study).bound(i, j); }

// Every simple path between two nodes over the spans not cut, as span indices.
std::vector<std::vector<int>> paths_between(const std::vector<SmallSpan>& spans, int from, int to, int cut_a, int cut_b) {
  std::vector<std::vector<int>> paths;
  std::vector<int> path;
  std::vector<int> visited{from};
  std::function<void(int)> walk = [&](int at) {
    if (at == to) {
      paths.push_back(path);
      return;
    }
    for (int k = 0; k < static_cast<int>(spans.size()); ++k) {
      if (k == cut_a || k == cut_b || spans[k].spare == 0) continue;
      int next = spans[k].from == at ? spans[k].to : spans[k].to == at ? spans[k].from : 0;
      if (next == 0 || std::find(visited.begin(), visited.end(), next) != visited.end()) continue;
      visited.push_back(next);
      path.push_back(k);
      walk(next);
      path.pop_back();
      visited.pop_back();
    }
  };
  walk(from);
  return paths;
}

// The most r_a + r_b of integral flows of both cut spans' working over the
// other spans, a spare channel carrying one unit of either, either way.
int brute_force(const std::vector<SmallSpan>& spans, int a, int b, int working_b) {
  std::vector<std::pair<int, std::vector<int>>> paths;  // commodity, spans
  for (int c : {a, b})
    for (auto& p : paths_between(spans, spans[c].from, spans[c].to, a, b)) paths.push_back({c == a ? 0 : 1, p});
  std::vector<int> left(spans.size());
  for (std::size_t k = 0; k < spans.size(); ++k) left[k] = spans[k].spare;
  int best = 0;
  int want[2] = {spans[a].working, working_b};
  std::function<void(std::size_t, int, int)> assign = [&](std::size_t p, int ra, int rb) {
    best = std::max(best, ra + rb);
    if (p == paths.size()) return;
    assign(p + 1, ra, rb);
    const auto& [c, route] = paths[p];
    int units = 0;
    for (;;) {
      if ((c == 0 ? ra : rb) + units + 1 > want[c]) break;
      bool room = true;
      for (int k : route) room = room && left[k] > 0;
      if (!room) break;
      for (int k : route) --left[k];
      ++units;
      assign(p + 1, c == 0 ? ra + units : ra, c == 1 ? rb + units : rb);
    }
    for (int k : route) left[k] += units;
  };
  assign(0, 0, 0);
  return best;
}

TEST(DualsweepOrders, NeverAboveTheBruteForceMaximumAndTheBoundNeverBelowIt) {
  std::mt19937 random(7);
  int pairs = 0, short_pairs = 0;
  for (int network = 0; network < 60; ++network) {
    const int n_node = 3 + static_cast<int>(random() % 3);
    const int n_span = 4 + static_cast<int>(random() % 5);  // up to 8 spans
    std::vector<SmallSpan> spans;
    for (int k = 0; k < n_span; ++k) {
      int a = 1 + static_cast<int>(random() % n_node), b = 1 + static_cast<int>(random() % n_node);
      if (a == b) b = a % n_node + 1;
      spans.push_back({a, b, static_cast<int>(random() % 3), static_cast<int>(random() % 4)});
    }
    const DualStudy study = study_of(n_node, spans);
    PairSolver solver(study);
    PairBound bound(study);
    for (int i = 1; i <= n_span; ++i) {
      for (int j = i + 1; j <= n_span; ++j) {
        const int wi = spans[i - 1].working, wj = spans[j - 1].working;
        const int best = brute_force(spans, i - 1, j - 1, wj);
        // Each span alone, the other cut but carrying nothing.
        const int alone_i = brute_force(spans, i - 1, j - 1, 0);
        const int alone_j = brute_force(spans, j - 1, i - 1, 0);
        const PairRestored r = solver.pair(i, j);
        const PairRestored i_first = solver.order(i, j), j_first = solver.order(j, i);
        SCOPED_TRACE(testing::Message() << "network " << network << " spans " << i << " " << j);
        EXPECT_EQ(i_first.r_i, alone_i);  // the first is restored as much as possible
        EXPECT_EQ(j_first.r_i, alone_j);
        EXPECT_EQ(r.total(), std::max(i_first.total(), j_first.total()));
        EXPECT_LE(r.total(), best);
        EXPECT_GE(r.total(), std::max(alone_i, alone_j));
        EXPECT_TRUE(r.r_i >= 0 && r.r_i <= wi && r.r_j >= 0 && r.r_j <= wj);
        EXPECT_GE(bound.bound(i, j), best);
        ++pairs;
        if (r.total() < best) ++short_pairs;
      }
    }
  }
  EXPECT_GT(pairs, 500);
  // The orders fall short of the best now and then; not often.
  EXPECT_LT(short_pairs * 10, pairs);
}

TEST(DualsweepOrders, ARingRestoresNothingWhenTwoOfItsSpansAreCut) {
  std::vector<SmallSpan> ring;
  for (int k = 1; k <= 6; ++k) ring.push_back({k, k % 6 + 1, 10, 3});
  const DualStudy study = study_of(6, ring);
  PairSolver solver(study);
  PairBound bound(study);
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(solver.single(i), 3);
    for (int j = i + 1; j <= 6; ++j) {
      EXPECT_EQ(solver.pair(i, j).total(), 0);
      EXPECT_EQ(bound.bound(i, j), 0);
    }
  }
}

// Spans 1 (1-2, working 2) and 2 (3-4, working 3) both cut; the cheap
// routes of both, 1-5-6-2 and 3-5-6-4, meet on span 3 (5-6, spare 3);
// span 1 may also have a dear route, 1-7-2 (spare 2). 1-5 and 6-2 hold just
// span 1's 2 channels.
DualStudy shared_spare(bool dear_route) {
  std::vector<SmallSpan> spans = {{1, 2, 0, 2}, {3, 4, 0, 3}, {5, 6, 3, 0}, {1, 5, 2, 0},
                                  {6, 2, 2, 0}, {3, 5, 9, 0}, {6, 4, 9, 0}};
  if (dear_route) {
    spans.push_back({1, 7, 2, 0});
    spans.push_back({7, 2, 2, 0});
  }
  DualStudy study = study_of(7, spans);
  for (int k = 1; k <= static_cast<int>(spans.size()); ++k) set_cost(study, k, k <= 7 ? 1 : 10);
  return study;
}

TEST(DualsweepOrders, TheOrderThatRestoresMoreWins) {
  // 1 first takes 2 of span 3 over its cheap route and leaves 1 for 2: 3 in
  // all. 2 first takes all 3 of it, and 1 goes round the dear way: 5.
  const DualStudy study = shared_spare(true);
  PairSolver solver(study);
  const PairRestored one_first = solver.order(1, 2), two_first = solver.order(2, 1);
  EXPECT_EQ(one_first.r_i, 2);
  EXPECT_EQ(one_first.r_j, 1);
  EXPECT_EQ(two_first.r_i, 3);
  EXPECT_EQ(two_first.r_j, 2);
  // The pair reports the better order, each figure under its own span.
  const PairRestored r = solver.pair(1, 2);
  EXPECT_EQ(r.r_i, 2);
  EXPECT_EQ(r.r_j, 3);
  EXPECT_EQ(bound_of(study, 1, 2), 5);
}

TEST(DualsweepOrders, ATieBetweenTheOrdersGoesToIFirst) {
  // Without the dear route both orders restore 3, split differently:
  // 1 first restores 2 of 1 and 1 of 2, 2 first 3 of 2 and none of 1.
  const DualStudy study = shared_spare(false);
  PairSolver solver(study);
  const PairRestored one_first = solver.order(1, 2), two_first = solver.order(2, 1);
  ASSERT_EQ(one_first.total(), 3);
  ASSERT_EQ(two_first.total(), 3);
  EXPECT_EQ(two_first.r_i, 3);
  EXPECT_EQ(two_first.r_j, 0);
  const PairRestored r = solver.pair(1, 2);
  EXPECT_EQ(r.r_i, 2);
  EXPECT_EQ(r.r_j, 1);
  EXPECT_EQ(bound_of(study, 1, 2), 3);
}

}  // namespace

}  // namespace dualsweep
