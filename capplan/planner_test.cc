// capplan's plans checked by certificate: every cut's restorability by
// enumerating all node sets that separate its ends (max-flow min-cut, not
// the max-flow code the planner uses), and the cost against a brute force
// over all spare assignments.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "cbc_mip.h"
#include "first_plan.h"
#include "plan_bounds.h"
#include "planner.h"
#include "restoration.h"
#include "run_clock.h"
#include "study.h"

using studyfiles::NodeList;

namespace capplan {

namespace {

// The least spare, over all node sets holding one end of span f and not the
// other, on the other spans that leave the set.
long long min_cut(const SpanNetwork& net, const std::vector<long long>& spare, int f) {
  const PlanSpan& cut = net.spans[f];
  long long best = -1;
  for (unsigned set = 0; set < (1u << net.n_node); ++set) {
    auto in = [&](int v) { return (set >> (v - 1)) & 1u; };
    if (!in(cut.from) || in(cut.to)) continue;
    long long crossing = 0;
    for (int k = 0; k < static_cast<int>(net.spans.size()); ++k)
      if (k != f && in(net.spans[k].from) != in(net.spans[k].to)) crossing += spare[k];
    if (best < 0 || crossing < best) best = crossing;
  }
  return best;
}

bool restores_all(const SpanNetwork& net, const std::vector<long long>& spare, const std::vector<int>& bridges) {
  for (int f = 0; f < static_cast<int>(net.spans.size()); ++f) {
    if (std::find(bridges.begin(), bridges.end(), f) != bridges.end()) continue;
    if (min_cut(net, spare, f) < net.spans[f].working) return false;
  }
  return true;
}

// The least cost over every assignment of kept + 0..top spare channels.
long long brute_force_cost(const SpanNetwork& net, const std::vector<int>& bridges, long long top) {
  const std::size_t n = net.spans.size();
  std::vector<long long> added(n, 0);
  long long best = -1;
  for (;;) {
    std::vector<long long> spare(n);
    long long cost = 0;
    for (std::size_t k = 0; k < n; ++k) {
      spare[k] = net.spans[k].spare + added[k];
      cost += net.spans[k].cost * added[k];
    }
    if ((best < 0 || cost < best) && restores_all(net, spare, bridges)) best = cost;
    std::size_t k = 0;
    while (k < n && added[k] == top) added[k++] = 0;
    if (k == n) return best;
    ++added[k];
  }
}

SpanNetwork random_network(std::mt19937& random, int n_node, int n_span, bool keep) {
  SpanNetwork net;
  net.n_node = n_node;
  std::uniform_int_distribution<int> node(1, n_node), cost(1, 4), working(0, 3), kept(0, 1);
  // A ring first, so that most cuts can be restored, then chords.
  for (int v = 1; v <= n_node && static_cast<int>(net.spans.size()) < n_span; ++v)
    net.spans.push_back({v, v % n_node + 1, cost(random), working(random), keep ? kept(random) : 0});
  while (static_cast<int>(net.spans.size()) < n_span) {
    const int a = node(random), b = node(random);
    if (a != b) net.spans.push_back({a, b, cost(random), working(random), keep ? kept(random) : 0});
  }
  return net;
}

void expect_certified(const SpanNetwork& net, const Plan& plan) {
  ASSERT_EQ(plan.spare.size(), net.spans.size());
  for (std::size_t k = 0; k < net.spans.size(); ++k) EXPECT_GE(plan.spare[k], net.spans[k].spare) << "span " << k;
  EXPECT_TRUE(restores_all(net, plan.spare, plan.bridges));
  long long cost = 0;
  for (std::size_t k = 0; k < net.spans.size(); ++k) cost += net.spans[k].cost * (plan.spare[k] - net.spans[k].spare);
  EXPECT_EQ(plan.cost, cost);
  EXPECT_LE(plan.lp_bound, static_cast<double>(plan.cost) + 1e-6);
  EXPECT_LE(plan.lower_bound, plan.cost);
}

TEST(WholeBound, RoundsUpBeyondTheSolversErrorOnly) {
  EXPECT_EQ(whole_bound(364211.34), 364212);
  EXPECT_EQ(whole_bound(12.5), 13);
  EXPECT_EQ(whole_bound(13), 13);
  // An optimum of 4996271 that the solver's arithmetic puts a few parts in
  // 10^11 above: not a bound of 4996272, which the plan of cost 4996271
  // would contradict.
  EXPECT_EQ(whole_bound(4996271.0002), 4996271);
  EXPECT_EQ(whole_bound(7.0000001), 7);  // on small costs the tolerance is 10^-6
  EXPECT_EQ(whole_bound(7.00001), 8);
  EXPECT_EQ(whole_bound(1e-7), 0);
  EXPECT_EQ(whole_bound(-3), 0);
}

TEST(Planner, SmallNetworksCostWhatTheBruteForceFinds) {
  std::mt19937 random(19);
  for (int trial = 0; trial < 24; ++trial) {
    const bool keep = trial % 3 == 2;
    const SpanNetwork net = random_network(random, 4 + trial % 2, 5 + trial % 2, keep);
    const Plan plan = plan_spare(net, {});
    SCOPED_TRACE(testing::Message() << "trial " << trial);
    expect_certified(net, plan);
    EXPECT_TRUE(plan.optimal);
    EXPECT_EQ(plan.cost, brute_force_cost(net, plan.bridges, 3));
  }
}

TEST(Planner, BridgesAreNamedAndTheOtherCutsRestored) {
  // A triangle 1-2-3 with a tail 3-4: the tail is a bridge.
  SpanNetwork net{4, {{1, 2, 1, 5, 0}, {2, 3, 1, 4, 0}, {3, 1, 1, 3, 0}, {3, 4, 1, 6, 0}}};
  const Plan plan = plan_spare(net, {});
  EXPECT_EQ(plan.bridges, std::vector<int>{3});
  expect_certified(net, plan);
  EXPECT_EQ(plan.spare[3], 0);
  EXPECT_EQ(plan.cost, brute_force_cost(net, plan.bridges, 6));
}

TEST(Planner, SpansWithoutWorkingChannelsNeedNoRestoration) {
  SpanNetwork net{3, {{1, 2, 1, 0, 0}, {2, 3, 1, 0, 0}, {3, 1, 1, 0, 0}}};
  const Plan plan = plan_spare(net, {});
  EXPECT_TRUE(plan.bridges.empty());
  EXPECT_EQ(plan.spare, (std::vector<long long>{0, 0, 0}));
  EXPECT_EQ(plan.cost, 0);
  EXPECT_TRUE(plan.optimal);
  // A chord without working channels still carries the spare of others.
  SpanNetwork chord{3, {{1, 2, 1, 4, 0}, {2, 3, 1, 0, 0}, {3, 1, 1, 0, 0}}};
  const Plan with_chord = plan_spare(chord, {});
  EXPECT_EQ(with_chord.spare, (std::vector<long long>{0, 4, 4}));
}

TEST(Planner, OneSpanIsABridge) {
  SpanNetwork net{2, {{1, 2, 3, 7, 0}}};
  const Plan plan = plan_spare(net, {});
  EXPECT_EQ(plan.bridges, std::vector<int>{0});
  EXPECT_EQ(plan.spare, std::vector<long long>{0});
  EXPECT_EQ(plan.cost, 0);
}

TEST(Planner, ParallelSpansRestoreEachOther) {
  SpanNetwork net{2, {{1, 2, 1, 5, 0}, {1, 2, 2, 3, 0}}};
  const Plan plan = plan_spare(net, {});
  EXPECT_EQ(plan.spare, (std::vector<long long>{3, 5}));
  EXPECT_EQ(plan.cost, 13);
}

TEST(Proof, CatchesAPlanWithOneChannelRemoved) {
  std::mt19937 random(7);
  NodeList nodes;
  for (int v = 1; v <= 6; ++v) nodes.nodes.push_back({"N" + std::to_string(v)});
  int caught = 0;
  for (int trial = 0; trial < 8; ++trial) {
    const SpanNetwork net = random_network(random, 6, 9, false);
    const Plan plan = plan_spare(net, {});
    ASSERT_FALSE(prove_plan(net, nodes, plan));
    // The plan is trimmed: every channel it adds is needed by some cut.
    for (std::size_t k = 0; k < net.spans.size(); ++k) {
      if (plan.spare[k] == 0) continue;
      Plan less = plan;
      --less.spare[k];
      const Error error = prove_plan(net, nodes, less);
      EXPECT_TRUE(error) << "span " << k;
      EXPECT_NE(error.text().find("fails its proof"), std::string::npos);
      EXPECT_FALSE(restores_all(net, less.spare, less.bridges));
      ++caught;
    }
  }
  EXPECT_GT(caught, 0);
}

TEST(Restoration, CutsNeedingSpareCountTheCutsThatFailWithOneChannelLess) {
  // A square with working 2 on each side: each cut is restored around the
  // other three sides, so each side's spare is needed by the other 3 cuts.
  SpanNetwork net{4, {{1, 2, 1, 2, 0}, {2, 3, 1, 2, 0}, {3, 4, 1, 2, 0}, {4, 1, 1, 2, 0}}};
  const Plan plan = plan_spare(net, {});
  EXPECT_EQ(plan.spare, (std::vector<long long>{2, 2, 2, 2}));
  EXPECT_EQ(cuts_needing_spare(net, plan.spare, {}), (std::vector<int>{3, 3, 3, 3}));
}

TEST(Planner, TimeLimitStillGivesAProvedPlan) {
  std::mt19937 random(3);
  const SpanNetwork net = random_network(random, 8, 14, false);
  PlanOptions options;
  options.seconds = 1e-6;
  const Plan plan = plan_spare(net, options);
  expect_certified(net, plan);
}

TEST(FirstPlan, RoutedSpareRestoresEveryCutAndCostsNoLessThanTheLpBound) {
  std::mt19937 random(29);
  for (int trial = 0; trial < 20; ++trial) {
    const SpanNetwork net = random_network(random, 5, 8, trial % 2 == 1);
    SCOPED_TRACE(testing::Message() << "trial " << trial);
    const Plan best = plan_spare(net, {});
    std::vector<int> cuts;
    for (int f = 0; f < static_cast<int>(net.spans.size()); ++f)
      if (net.spans[f].working > 0 && std::find(best.bridges.begin(), best.bridges.end(), f) == best.bridges.end())
        cuts.push_back(f);
    const std::vector<long long> spare = routed_spare(net, cuts);
    ASSERT_EQ(spare.size(), net.spans.size());
    EXPECT_TRUE(restores_all(net, spare, best.bridges));
    long long cost = 0;
    for (std::size_t k = 0; k < net.spans.size(); ++k) {
      EXPECT_GE(spare[k], net.spans[k].spare);
      cost += net.spans[k].cost * (spare[k] - net.spans[k].spare);
    }
    EXPECT_GE(cost, best.cost);
    // Routing each cut again over the spare the others need never costs more.
    RoutedPlan improved(net, cuts);
    improved.improve({});
    const std::vector<long long> better = improved.spare();
    EXPECT_TRUE(restores_all(net, better, best.bridges));
    long long better_cost = 0;
    for (std::size_t k = 0; k < net.spans.size(); ++k)
      better_cost += net.spans[k].cost * (better[k] - net.spans[k].spare);
    EXPECT_LE(better_cost, cost);
    EXPECT_GE(better_cost, best.cost);
  }
}

TEST(Planner, ALimitSpentBeforeThePlanStillGivesAProvedPlan) {
  // The run's clock ran out before planning began: no linear program, no
  // search, the routed plan untrimmed, and still a plan that restores all,
  // whichever the model.
  std::mt19937 random(5);
  const SpanNetwork net = random_network(random, 8, 14, false);
  const RunClock clock(1, RunClock::Clock::now() - std::chrono::seconds(2));
  for (LpModel model : {LpModel::arc, LpModel::path, LpModel::cut}) {
    PlanOptions options;
    options.clock = &clock;
    options.model = model;
    const Plan plan = plan_spare(net, options);
    expect_certified(net, plan);
    EXPECT_EQ(plan.lp_bound, 0);
    EXPECT_EQ(plan.lower_bound, 0);
    EXPECT_EQ(plan.note.rfind("the linear program was not solved", 0), 0u) << plan.note;
  }
}

TEST(Planner, OverRestorationRoutesAndCutRowsTheSameOptimaAsOverArcFlows) {
  std::mt19937 random(41);
  PlanOptions arc, path, cut;
  arc.model = LpModel::arc;
  path.model = LpModel::path;
  cut.model = LpModel::cut;
  for (int trial = 0; trial < 16; ++trial) {
    const bool keep = trial % 4 == 3;
    const SpanNetwork net = random_network(random, 4 + trial % 2, 5 + trial % 3, keep);
    SCOPED_TRACE(testing::Message() << "trial " << trial);
    const Plan by_arcs = plan_spare(net, arc);
    EXPECT_EQ(by_arcs.model, LpModel::arc);
    for (const PlanOptions& options : {path, cut}) {
      const Plan grown = plan_spare(net, options);
      EXPECT_EQ(grown.model, options.model);
      expect_certified(net, grown);
      EXPECT_NEAR(grown.lp_bound, by_arcs.lp_bound, 1e-6 * std::max(1.0, by_arcs.lp_bound));
      EXPECT_EQ(grown.cost, brute_force_cost(net, grown.bridges, 3));
      EXPECT_LE(grown.lower_bound, grown.cost);
    }
    // Small networks are planned over arc flows unless asked otherwise.
    EXPECT_EQ(plan_spare(net, {}).model, LpModel::arc);
  }
}

TEST(Planner, ASearchOverTheRoutesGrownRaisesNoBound) {
  // A solver whose search claims a bound far above what it found, as a
  // search over some routes only may: over arc flows that is a fault of
  // the solver; over the routes grown it proves nothing, and the bound
  // stays the linear program's over every route.
  int searches = 0;
  const lpsolve::MipSolver boastful = [&](const lpsolve::LinearModel& m, const lpsolve::MipOptions& o) {
    lpsolve::MipResult r = lpsolve::solve_with_cbc(m, o);
    if (!o.relaxation_only && r.has_solution) {
      r.bound = r.objective + 1000;
      ++searches;
    }
    return r;
  };
  std::mt19937 random(13);
  for (int trial = 0; trial < 12; ++trial) {
    const SpanNetwork net = random_network(random, 7, 12, false);
    PlanOptions options;
    options.solve = boastful;
    options.model = LpModel::path;
    const Plan plan = plan_spare(net, options);
    SCOPED_TRACE(testing::Message() << "trial " << trial);
    expect_certified(net, plan);
    EXPECT_FALSE(plan.fault);
    EXPECT_EQ(plan.lower_bound, whole_bound(plan.lp_bound));
  }
  EXPECT_GT(searches, 0);  // the search did run, and claimed its bound
}

}  // namespace

}  // namespace capplan
