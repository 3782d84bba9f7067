// p-cycle plans checked by hand on a ring and a complete graph, the cycle
// count against the closed form of complete graphs, the cost against a brute
// force over every choice of copies, and the proof against a plan short of
// one copy.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "pcycle.h"
#include "planner.h"
#include "restoration.h"

namespace capplan {

namespace {

SpanNetwork complete_graph(int n, long long working) {
  SpanNetwork net;
  net.n_node = n;
  for (int a = 1; a <= n; ++a)
    for (int b = a + 1; b <= n; ++b) net.spans.push_back({a, b, 1, working, 0});
  return net;
}

SpanNetwork ring(int n, long long working) {
  SpanNetwork net;
  net.n_node = n;
  for (int a = 1; a <= n; ++a) net.spans.push_back({a, a % n + 1, 1, working, 0});
  return net;
}

long long total(const std::vector<long long>& v) {
  long long t = 0;
  for (long long x : v) t += x;
  return t;
}

// The least cost over every choice of 0..top copies of each cycle that
// restores every span's working channels.
long long brute_force_cost(const SpanNetwork& net, const std::vector<PCycle>& cycles, long long top) {
  std::vector<long long> copies(cycles.size(), 0);
  long long best = -1;
  for (;;) {
    std::vector<long long> restored(net.spans.size(), 0);
    long long cost = 0;
    for (std::size_t c = 0; c < cycles.size(); ++c) {
      cost += copies[c] * cycles[c].cost;
      for (int k = 0; k < static_cast<int>(net.spans.size()); ++k) restored[k] += copies[c] * protection(cycles[c], k);
    }
    bool ok = true;
    for (std::size_t k = 0; k < net.spans.size(); ++k) ok = ok && restored[k] >= net.spans[k].working;
    if (ok && (best < 0 || cost < best)) best = cost;
    std::size_t i = 0;
    while (i < copies.size() && copies[i] == top) copies[i++] = 0;
    if (i == copies.size()) return best;
    ++copies[i];
  }
}

TEST(PCycle, RingIsOneCycleWithEverySpanOnItAndFullRedundancy) {
  const SpanNetwork net = ring(5, 3);
  const PCyclePlan p = plan_pcycles(net, {});
  ASSERT_EQ(p.candidates.cycles.size(), 1u);
  EXPECT_EQ(p.candidates.cycles[0].spans.size(), 5u);
  EXPECT_TRUE(p.candidates.cycles[0].straddling.empty());
  EXPECT_EQ(p.copies, std::vector<long long>{3});
  EXPECT_EQ(p.plan.spare, std::vector<long long>(5, 3));  // redundancy 100%
  EXPECT_EQ(p.plan.cost, 15);
  EXPECT_TRUE(p.plan.optimal);
  EXPECT_TRUE(short_cuts(net, p.plan.spare, p.plan.bridges).empty());
}

TEST(PCycle, CompleteGraphOfFourProtectsItsStraddlingSpansTwice) {
  const SpanNetwork net = complete_graph(4, 2);
  const PCycleCandidates all = enumerate_cycles(net);
  EXPECT_EQ(all.cycles.size(), 7u);  // 4 triangles, 3 cycles through all four nodes
  EXPECT_FALSE(all.length_capped);
  for (const PCycle& c : all.cycles) {
    EXPECT_EQ(c.spans.size() + c.straddling.size(), c.spans.size() == 3 ? 3u : 6u);
    for (int k : c.straddling) EXPECT_EQ(protection(c, k), 2);
  }
  // Two working channels everywhere: one copy of a 4-cycle restores the two
  // straddling spans in full, the four on it by half: two copies, cost 8.
  const PCyclePlan p = plan_pcycles(net, {});
  EXPECT_EQ(p.plan.cost, 8);
  EXPECT_EQ(p.plan.lower_bound, 8);
  EXPECT_EQ(total(p.plan.spare), 8);
  EXPECT_TRUE(short_cuts(net, p.plan.spare, p.plan.bridges).empty());
  const SpanNetwork one = complete_graph(4, 1);
  EXPECT_EQ(plan_pcycles(one, {}).plan.cost, 4);
}

TEST(PCycle, SimpleCyclesOfCompleteGraphsAreCountedOnce) {
  // K_n has sum over k of C(n,k) (k-1)!/2 simple cycles.
  EXPECT_EQ(enumerate_cycles(complete_graph(5, 1)).cycles.size(), 37u);
  EXPECT_EQ(enumerate_cycles(complete_graph(6, 1)).cycles.size(), 197u);
  // Two parallel spans are a cycle of two.
  SpanNetwork twin;
  twin.n_node = 2;
  twin.spans = {{1, 2, 1, 1, 0}, {2, 1, 1, 1, 0}};
  EXPECT_EQ(enumerate_cycles(twin).cycles.size(), 1u);
  // A cap below the count stops at the longest length that fits, and says so.
  const PCycleCandidates capped = enumerate_cycles(complete_graph(5, 1), 20);
  EXPECT_TRUE(capped.length_capped);
  EXPECT_EQ(capped.length_cap, 3);
  EXPECT_EQ(capped.cycles.size(), 10u);
}

TEST(PCycle, SmallNetworksMatchBruteForceOverCopies) {
  std::mt19937 random(7);
  int checked = 0;
  for (int trial = 0; trial < 20; ++trial) {
    SpanNetwork net;
    net.n_node = 5;
    for (int a = 1; a <= 5; ++a)
      for (int b = a + 1; b <= 5; ++b)
        if (b == a + 1 || random() % 3 == 0)
          net.spans.push_back({a, b, 1 + static_cast<long long>(random() % 4), static_cast<long long>(random() % 3), 0});
    net.spans.push_back({5, 1, 2, 1, 0});
    const PCyclePlan p = plan_pcycles(net, {});
    const PCycleCandidates all = enumerate_cycles(net);
    if (all.cycles.size() > 9) continue;  // the brute force stays fast
    ASSERT_FALSE(all.length_capped);
    const long long best = brute_force_cost(net, all.cycles, 2);
    EXPECT_EQ(p.plan.cost, best) << "trial " << trial;
    EXPECT_TRUE(p.plan.optimal);
    EXPECT_TRUE(short_cuts(net, p.plan.spare, p.plan.bridges).empty());
    ++checked;
  }
  EXPECT_GE(checked, 10);
}

TEST(PCycle, ProofRejectsPlanWithACopyRemoved) {
  for (const SpanNetwork& net : {ring(4, 2), complete_graph(4, 2), complete_graph(5, 3)}) {
    const PCyclePlan p = plan_pcycles(net, {});
    ASSERT_TRUE(short_cuts(net, p.plan.spare, p.plan.bridges).empty());
    for (std::size_t c = 0; c < p.copies.size(); ++c) {
      if (p.copies[c] == 0) continue;
      std::vector<long long> fewer = p.copies;
      --fewer[c];
      // An optimal plan has no copy to spare, and the spans it leaves short
      // fail the proof by maximum flow.
      EXPECT_FALSE(short_cuts(net, pcycle_spare(net, p.candidates.cycles, fewer), p.plan.bridges).empty());
    }
  }
}

TEST(PCycle, PricingReachesTheOptimumOfTheLinearProgramOverAllCycles) {
  SpanNetwork net = complete_graph(6, 1);
  for (std::size_t k = 0; k < net.spans.size(); ++k) {
    net.spans[k].working = 1 + static_cast<long long>(k % 4);
    net.spans[k].cost = 1 + static_cast<long long>((k * 7) % 5);
  }
  const PCyclePlan all = plan_pcycles(net, {});
  const PCyclePlan few = plan_pcycles(net, {}, 3);
  EXPECT_EQ(all.candidates.priced, 0);
  EXPECT_GT(few.candidates.priced, 0);
  EXPECT_LT(few.candidates.cycles.size(), all.candidates.cycles.size());
  EXPECT_NEAR(few.plan.lp_bound, all.plan.lp_bound, 1e-6);
  EXPECT_TRUE(short_cuts(net, few.plan.spare, few.plan.bridges).empty());
}

TEST(PCycle, BridgesAreLeftOut) {
  SpanNetwork net = ring(3, 1);
  net.n_node = 4;
  net.spans.push_back({3, 4, 1, 5, 0});
  const PCyclePlan p = plan_pcycles(net, {});
  EXPECT_EQ(p.plan.bridges, std::vector<int>{3});
  EXPECT_EQ(p.plan.spare, (std::vector<long long>{1, 1, 1, 0}));
}

}  // namespace

}  // namespace capplan
