// The model over restoration routes against the arc-flow model, solved in
// one piece by CBC: the same optimum once no route prices in, a Lagrangian
// bound at or below it whenever the growth stops, and a model over the
// routes found whose solutions restore every cut (by maximum flow).
#include "route_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "arc_flow.h"
#include "cbc_mip.h"
#include "restoration.h"
#include "span_test_networks.h"

namespace capplan {
namespace {

using lpsolve::MipOptions;
using lpsolve::MipResult;

using testing_networks::arc_flow_optimum;
using testing_networks::cuts_of;
using testing_networks::ring_with_chords;

TEST(RouteModel, GrownToTheEndItMeetsTheArcFlowOptimum) {
  std::mt19937 random(33);
  for (int trial = 0; trial < 20; ++trial) {
    const SpanNetwork net = ring_with_chords(random, 5 + trial, 3 + trial, trial % 3 == 1);
    const std::vector<int> cuts = cuts_of(net);
    SCOPED_TRACE(testing::Message() << "trial " << trial << ": " << net.n_node << " nodes, " << net.spans.size() << " spans");
    RouteModel model(net, cuts);
    ASSERT_TRUE(model.grow({}));
    ASSERT_TRUE(model.solved());
    const double optimum = arc_flow_optimum(net, cuts);
    EXPECT_NEAR(model.value(), optimum, 1e-6 * std::max(1.0, optimum));
    EXPECT_EQ(model.bound(), model.value());
    // The spare of the optimum, rounded up, restores every cut.
    std::vector<long long> spare;
    for (std::size_t k = 0; k < net.spans.size(); ++k)
      spare.push_back(net.spans[k].spare + static_cast<long long>(std::ceil(model.spare()[k] - 1e-6)));
    EXPECT_TRUE(short_cuts(net, spare, {}).empty());
  }
}

TEST(RouteModel, StoppedEarlyItsBoundIsStillABound) {
  std::mt19937 random(7);
  int below = 0;
  for (int trial = 0; trial < 8; ++trial) {
    const SpanNetwork net = ring_with_chords(random, 16 + trial, 30 + 2 * trial, trial % 2 == 1);
    const std::vector<int> cuts = cuts_of(net);
    const double optimum = arc_flow_optimum(net, cuts);
    for (int rounds : {1, 2, 4}) {
      RouteModel model(net, cuts);
      int asked = 0;
      ASSERT_TRUE(model.grow([&] { return asked++ >= rounds; }));
      SCOPED_TRACE(testing::Message() << "trial " << trial << ", " << rounds << " rounds");
      EXPECT_LE(model.bound(), optimum + 1e-6 * std::max(1.0, optimum));
      // The optimum over fewer routes costs no less than over every route.
      EXPECT_GE(model.value(), optimum - 1e-6 * std::max(1.0, optimum));
      if (!model.solved() && model.bound() < optimum - 1e-6) ++below;
    }
  }
  EXPECT_GT(below, 0);  // some growth did stop before the optimum
}

TEST(RouteModel, ItsIntegerModelHoldsTheSpareEveryRouteNeeds) {
  // CBC's optimum over the routes found: its spare restores every cut, and
  // costs no less than the optimum over every route.
  std::mt19937 random(5);
  for (int trial = 0; trial < 6; ++trial) {
    const SpanNetwork net = ring_with_chords(random, 6 + trial, 4 + trial, trial % 2 == 0);
    const std::vector<int> cuts = cuts_of(net);
    RouteModel model(net, cuts);
    ASSERT_TRUE(model.grow({}));
    const MipResult mip = lpsolve::solve_with_cbc(model.model(), MipOptions{});
    ASSERT_TRUE(mip.optimal);
    std::vector<long long> spare;
    for (std::size_t k = 0; k < net.spans.size(); ++k)
      spare.push_back(net.spans[k].spare + std::llround(mip.values[k]));
    EXPECT_TRUE(short_cuts(net, spare, {}).empty()) << "trial " << trial;
    EXPECT_GE(mip.objective, model.value() - 1e-6);
  }
}

}  // namespace
}  // namespace capplan
