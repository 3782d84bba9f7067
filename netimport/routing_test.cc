#include <gtest/gtest.h>

#include "routing.h"

// A network of spans with given lengths in metres between numbered nodes.
TidyNetwork network(int nodes, std::initializer_list<std::tuple<int, int, long long>> spans) {
  TidyNetwork net;
  for (int k = 0; k < nodes; ++k) net.nodes.push_back({"n" + std::to_string(k), 0, 0});
  for (const auto& [a, b, m] : spans) net.spans.push_back({a, b, m / 1000.0, m, std::nullopt});
  return net;
}

TEST(ShortestPaths, TiesGoToFewerSpansThenLowerNodes) {
  // 0-3 directly (20), or 0-1-3 and 0-2-3 (10 + 10): one span wins.
  TidyNetwork net = network(4, {{0, 1, 10}, {0, 2, 10}, {1, 3, 10}, {2, 3, 10}, {0, 3, 20}});
  EXPECT_EQ(shortest_path_tree(net, 0)[3], 0);
  // Without the direct span, the two routes tie: through the lower node, 1.
  net.spans.pop_back();
  EXPECT_EQ(shortest_path_tree(net, 0)[3], 1);
  // From 3, the same: node 0 is reached through 1.
  EXPECT_EQ(shortest_path_tree(net, 3)[0], 1);
  // A shorter route wins over fewer spans.
  TidyNetwork longer = network(3, {{0, 1, 5}, {1, 2, 5}, {0, 2, 11}});
  EXPECT_EQ(shortest_path_tree(longer, 0)[2], 1);
}

TEST(Demands, UniformCountsEachPairOnItsPathOnly) {
  // A ring of four and a separate pair.
  TidyNetwork net = network(6, {{0, 1, 10}, {1, 2, 10}, {2, 3, 10}, {0, 3, 10}, {4, 5, 1}});
  const Routing r = route_demands(net, DemandModel::kUniform, std::nullopt);
  EXPECT_EQ(r.components, 2);
  EXPECT_EQ(r.pairs_apart, 8);
  EXPECT_EQ(r.pairs.size(), 7u);
  // 0-2 goes through 1, 1-3 through 0 (the lower of 0 and 2).
  EXPECT_EQ(r.working, (std::vector<long long>{3, 2, 1, 2, 1}));
}

TEST(Demands, ScaledToAboutTheChannelsAskedEachPairAtLeastOne) {
  TidyNetwork net = network(3, {{0, 1, 10}, {1, 2, 10}});
  // Gravity weights 2, 1, 2 scaled to 3: 1.2, 0.6, 1.2 round to 1, 1, 1.
  const Routing r = route_demands(net, DemandModel::kGravity, 3);
  EXPECT_EQ(r.channels, 3);
  net.demands = {{0, 2, 0.0}, {1, 2, 0.2}};
  const Routing f = route_demands(net, DemandModel::kFile, std::nullopt);
  ASSERT_EQ(f.pairs.size(), 1u);  // a demand of 0 gets no channel, one of 0.2 gets one
  EXPECT_EQ(f.pairs[0].channels, 1);
  EXPECT_EQ(f.working, (std::vector<long long>{0, 1}));
}
