#include "joint.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <functional>

#include <gtest/gtest.h>

#include "restoration.h"
#include "run_clock.h"

namespace capplan {

namespace {

SpanNetwork network(int n_node, const std::vector<PlanSpan>& spans) {
  SpanNetwork net;
  net.n_node = n_node;
  net.spans = spans;
  return net;
}

studyfiles::NodeList node_list(int n) {
  studyfiles::NodeList nodes;
  for (int v = 1; v <= n; ++v) nodes.nodes.push_back({std::string(1, static_cast<char>('A' + v - 1))});
  return nodes;
}

// Every simple route between two nodes.
void all_routes(const SpanNetwork& net, Route& route, int to, std::vector<Route>& out) {
  if (route.back() == to) {
    out.push_back(route);
    return;
  }
  for (const PlanSpan& s : net.spans) {
    if (s.from != route.back() && s.to != route.back()) continue;
    const int next = s.from == route.back() ? s.to : s.from;
    if (std::find(route.begin(), route.end(), next) != route.end()) continue;
    route.push_back(next);
    all_routes(net, route, to, out);
    route.pop_back();
  }
}

// The least spare cost for a working vector, every spare up to `most` a span
// tried; LLONG_MAX when none restores every cut.
long long least_spare_cost(const SpanNetwork& net, long long most) {
  std::vector<long long> spare(net.spans.size(), 0);
  long long best = LLONG_MAX;
  std::function<void(std::size_t, long long)> tryall = [&](std::size_t k, long long cost) {
    if (cost >= best) return;
    if (k == spare.size()) {
      if (short_cuts(net, spare, {}).empty()) best = cost;
      return;
    }
    for (long long s = 0; s <= most; ++s) {
      spare[k] = s;
      tryall(k + 1, cost + s * net.spans[k].cost);
    }
    spare[k] = 0;
  };
  tryall(0, 0);
  return best;
}

using DemandCount = std::vector<std::pair<std::pair<int, int>, int>>;

// The least cost of working and spare over every routing of every channel,
// each demand on its `routes` only.
long long brute_force(const SpanNetwork& net, const DemandCount& demand, const std::vector<std::vector<Route>>& routes) {
  std::vector<Demand> routed(demand.size());
  long long best = LLONG_MAX;
  // Channel by channel, each on any route.
  std::function<void(std::size_t, int)> place = [&](std::size_t i, int left) {
    if (i == demand.size()) {
      const std::vector<long long> working = working_of(net, routed);
      long long cost = 0;
      for (std::size_t k = 0; k < working.size(); ++k) cost += working[k] * net.spans[k].cost;
      if (cost >= best) return;
      // No cut needs more spare on a span than the largest working of any.
      const long long most = *std::max_element(working.begin(), working.end());
      const long long spare = least_spare_cost(with_working(net, working), most);
      if (spare != LLONG_MAX) best = std::min(best, cost + spare);
      return;
    }
    if (left == 0) {
      place(i + 1, i + 1 < demand.size() ? demand[i + 1].second : 0);
      return;
    }
    for (const Route& r : routes[i]) {
      // Channels of a demand in the order of its routes: no routing twice.
      if (!routed[i].routes.empty() && routed[i].routes.back().route > r) continue;
      routed[i].routes.push_back({r, 1});
      place(i, left - 1);
      routed[i].routes.pop_back();
    }
  };
  place(0, demand.empty() ? 0 : demand[0].second);
  return best;
}

// The same over every simple route of each demand.
long long brute_force(const SpanNetwork& net, const DemandCount& demand) {
  std::vector<std::vector<Route>> routes;
  for (const auto& [ends, channels] : demand) {
    Route start{ends.first};
    routes.emplace_back();
    all_routes(net, start, ends.second, routes.back());
  }
  return brute_force(net, demand, routes);
}

std::string path_text(const std::vector<std::string>& lines) {
  std::string text = "paths\n";
  for (const std::string& l : lines) text += l + " 45\n";
  return text;
}

struct Case {
  SpanNetwork net;
  std::vector<std::string> paths;  // the study's routing, one line per channel
  DemandCount demand;
};

TEST(PlanJoint, MatchesBruteForceOnSmallNetworks) {
  const std::vector<Case> cases = {
      // A square with a diagonal: the diagonal is dear, the study's routes long.
      {network(4, {{1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 1, 1}, {1, 3, 3}}),
       {"A B C", "A B C", "B C D"},
       {{{1, 3}, 2}, {{2, 4}, 1}}},
      // Five nodes, a ring and two chords, costs differ.
      {network(5, {{1, 2, 2}, {2, 3, 1}, {3, 4, 2}, {4, 5, 1}, {5, 1, 1}, {1, 3, 2}, {2, 5, 3}}),
       {"A B C D", "B C", "E A"},
       {{{1, 4}, 1}, {{2, 3}, 1}, {{5, 1}, 1}}},
      // Six nodes, two squares sharing a span.
      {network(6, {{1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 1, 1}, {2, 5, 1}, {5, 6, 1}, {6, 3, 1}}),
       {"A B E", "D C"},
       {{{1, 5}, 1}, {{4, 3}, 1}}},
  };
  for (const Case& c : cases) {
    const studyfiles::NodeList nodes = node_list(c.net.n_node);
    DemandList demands;
    ASSERT_FALSE(read_demands(path_text(c.paths), "paths.txt", nodes, c.net, demands));
    JointOptions options;
    options.routes_per_demand = 20;  // every simple route of these networks
    const JointPlan plan = plan_joint(c.net, demands, options);
    EXPECT_EQ(plan.cost, brute_force(c.net, c.demand));
    EXPECT_TRUE(plan.optimal);
    EXPECT_LE(plan.cost, plan.study_cost);
    EXPECT_FALSE(check_carried(demands.demands, plan.demands));
    EXPECT_EQ(plan.working, working_of(c.net, plan.demands));
    EXPECT_TRUE(short_cuts(with_working(c.net, plan.working), plan.spare.spare, {}).empty());
    long long cost = 0;
    for (std::size_t k = 0; k < c.net.spans.size(); ++k)
      cost += c.net.spans[k].cost * (plan.working[k] + plan.spare.spare[k]);
    EXPECT_EQ(cost, plan.cost);
  }
}

TEST(PlanJoint, ItsBoundHoldsOverTheRoutesTriedOnly) {
  // A ring A-B-C-D, D-C dear. Two channels A-C both on A-B-C, the study's
  // route and the cheapest, need 2 spare all round (cost 4 + 10); one of
  // them the other way round needs 1 all round (5 + 5).
  const SpanNetwork net = network(4, {{1, 2, 1}, {2, 3, 1}, {3, 4, 2}, {4, 1, 1}});
  DemandList demands;
  ASSERT_FALSE(read_demands(path_text({"A B C", "A B C"}), "p", node_list(4), net, demands));
  const DemandCount demand = {{{1, 3}, 2}};
  JointOptions options;
  options.routes_per_demand = 1;  // the cheapest route, which is the study's own
  const JointPlan own = plan_joint(net, demands, options);
  EXPECT_EQ(own.cost, brute_force(net, demand, {{Route{1, 2, 3}}}));
  EXPECT_EQ(own.cost, 14);
  EXPECT_TRUE(own.optimal);  // over the routes tried: the bound is no bound over every route
  EXPECT_EQ(own.lower_bound, 14);
  EXPECT_GT(own.lower_bound, brute_force(net, demand));
  options.routes_per_demand = 2;
  const JointPlan both = plan_joint(net, demands, options);
  EXPECT_EQ(both.cost, brute_force(net, demand));
  EXPECT_EQ(both.cost, 10);
  EXPECT_TRUE(both.optimal);
  EXPECT_FALSE(check_carried(demands.demands, both.demands));
  ASSERT_EQ(both.demands[0].routes.size(), 2u);
}

TEST(PlanJoint, ALimitSpentBeforeTheSearchKeepsTheStudysPlan) {
  // The clock ran out before the linear program: no bound, no search, the
  // study's own routing with a proved spare plan.
  const SpanNetwork net = network(5, {{1, 2, 2}, {2, 3, 1}, {3, 4, 2}, {4, 5, 1}, {5, 1, 1}, {1, 3, 2}, {2, 5, 3}});
  DemandList demands;
  ASSERT_FALSE(read_demands(path_text({"A B C D", "B C", "E A"}), "p", node_list(5), net, demands));
  const RunClock clock(1, RunClock::Clock::now() - std::chrono::seconds(2));
  JointOptions options;
  options.clock = &clock;
  const JointPlan plan = plan_joint(net, demands, options);
  EXPECT_EQ(plan.cost, plan.study_cost);
  EXPECT_EQ(plan.working, working_of(net, demands.demands));
  EXPECT_TRUE(short_cuts(with_working(net, plan.working), plan.spare.spare, {}).empty());
  EXPECT_EQ(plan.lower_bound, 0);
  EXPECT_FALSE(plan.optimal);
  EXPECT_EQ(plan.note, "the linear program was not solved: the solver found no solution in 0 s");
}

TEST(ReadDemands, AggregatesLinesByTheirEnds) {
  const SpanNetwork net = network(4, {{1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 1, 1}});
  DemandList demands;
  ASSERT_FALSE(read_demands(path_text({"A B C", "C D A", "A B C", "B C"}), "p", node_list(4), net, demands));
  ASSERT_EQ(demands.demands.size(), 2u);
  const Demand& ac = demands.demands[0];
  EXPECT_EQ(ac.from, 1);
  EXPECT_EQ(ac.to, 3);
  EXPECT_EQ(ac.channels(), 3);
  ASSERT_EQ(ac.routes.size(), 2u);
  EXPECT_EQ(ac.routes[0].channels, 2);
  EXPECT_EQ(ac.routes[1].route, (Route{1, 4, 3}));  // turned to run from A
  EXPECT_EQ(working_of(net, demands.demands), (std::vector<long long>{2, 3, 1, 1}));
  // Written and read again: the same demands on the same routes.
  const std::string text = routes_text(demands.title, demands.demands, node_list(4));
  EXPECT_EQ(text, "paths\nA B C 45\nA B C 45\nA D C 45\nB C 45\n");
  DemandList again;
  ASSERT_FALSE(read_demands(text, "p", node_list(4), net, again));
  EXPECT_FALSE(check_carried(demands.demands, again.demands));
  EXPECT_EQ(working_of(net, again.demands), working_of(net, demands.demands));
}

TEST(ReadDemands, NamesTheFileAndLineOfWhatIsWrong) {
  const SpanNetwork net = network(4, {{1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 1, 1}});
  const std::vector<std::pair<std::string, std::string>> bad = {
      {"paths\nA B 45\nA X 45\n", "p:3: node 'X' is not in the node list"},
      {"paths\nA C 45\n", "p:2: no span joins 'A' and 'C'"},
      {"paths\nA B\n", "p:2: a path names at least two nodes and ends with 45"},
      {"paths\nA B C\n", "p:2: the path does not end with 45"},
      {"paths\nA B A 45\n", "p:2: the path visits node 'A' twice"},
      {"", "p:1: empty path list: no title line"},
  };
  for (const auto& [text, message] : bad) {
    DemandList demands;
    const Error error = read_demands(text, "p", node_list(4), net, demands);
    EXPECT_EQ(error.text(), message) << text;
  }
}

TEST(CheckCarried, FindsAChannelLostOrMoved) {
  const SpanNetwork net = network(4, {{1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 1, 1}});
  DemandList demands;
  ASSERT_FALSE(read_demands(path_text({"A B C", "A B C", "B C"}), "p", node_list(4), net, demands));
  std::vector<Demand> lost = demands.demands;
  lost[0].routes[0].channels = 1;
  EXPECT_TRUE(check_carried(demands.demands, lost));
  std::vector<Demand> elsewhere = demands.demands;
  elsewhere[1].routes[0].route = {2, 1};
  EXPECT_TRUE(check_carried(demands.demands, elsewhere));
  lost.pop_back();
  EXPECT_TRUE(check_carried(demands.demands, lost));
}

}  // namespace

}  // namespace capplan
