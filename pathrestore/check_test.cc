// The proof of a restoration: each kind of fault refused with what is
// wrong; the routes as the routes file names them; threads.
#include "check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sweep.h"

using namespace pathrestore;

namespace {

// A ring A-B-C-D-E-A, spare 1 each but D-E (0), and A-C (spare 2); two
// paths A-B-C. Span 1 (A-B) fails.
struct Ring {
  Network net;
  WorkingPaths paths;
  ScenarioProblem problem;
};

Ring ring(bool stub_release) {
  Ring r;
  studyfiles::NodeList nodes{{{"A"}, {"B"}, {"C"}, {"D"}, {"E"}}};
  r.net = network_of(nodes, 5,
                     {{1, 2, 0, 1, 2, 4}, {2, 3, 0, 1, 2, 6}, {3, 4, 0, 1, 0, 8}, {4, 5, 0, 0, 0, 10}, {5, 1, 0, 1, 0, 12},
                      {1, 3, 0, 2, 0, 14}});
  EXPECT_FALSE(read_working_paths("t\nA B C 45\nA B C 45\n", "p", "n", r.net, r.paths));
  r.problem = problem_of(r.net, r.paths, scenarios_of(r.net, {true, false, false}, nullptr)[0], stub_release);
  return r;
}

TEST(Check, EachFaultIsNamed) {
  const Ring r = ring(false);
  const auto check = [&](const std::vector<Route>& routes, long long restored, int max_spans = 0) {
    return check_routes(r.net, r.problem, routes, restored, max_spans).text();
  };
  EXPECT_EQ(check({{{1, 3}, 2}}, 2), "");
  EXPECT_EQ(check({{{1, 3}, 1}, {{3, 2, 1}, 1}}, 2), "route 2 (C B A) crosses the failed span 1 (A-B)");
  EXPECT_EQ(check({{{1, 5, 4, 3}, 1}}, 1), "the routes put 1 channels between D and E, which offer 0");
  EXPECT_EQ(check({{{1, 3}, 3}}, 3), "the routes put 3 channels between A and C, which offer 2");
  EXPECT_EQ(check({{{1, 4}, 1}}, 1), "route 1 (A D) joins two nodes with no affected demand between them");
  EXPECT_EQ(check({{{1, 3, 1, 3}, 1}}, 1), "route 1 (A C A C) visits A twice");
  EXPECT_EQ(check({{{1, 3}, 0}}, 0), "route 1 (A C) carries 0 channels");
  EXPECT_EQ(check({{{3}, 1}}, 1), "route 1 (C) names fewer than two nodes");
  EXPECT_EQ(check({{{1, 9}, 1}}, 1), "route 1 (A 9) names node 9, which is not in the network");
  EXPECT_EQ(check({{{1, 5, 4, 3}, 1}}, 1, 2), "route 1 (A E D C) has 3 spans, more than 2");
  EXPECT_EQ(check({{{1, 3}, 1}}, 2), "the routes carry 1 channels in all, not the 2 restored");
  EXPECT_EQ(check({{{1, 3}, 1}, {{3, 1}, 1}, {{1, 5, 4, 3}, 1}}, 3).substr(0, 20), "the routes put 1 cha");
  // With stub release, the two working channels the paths held on B-C are
  // free as well.
  const Ring stub = ring(true);
  EXPECT_EQ(check_routes(stub.net, stub.problem, {{{1, 3}, 2}}, 2, 0).text(), "");
  EXPECT_EQ(stub.problem.capacity[1], 3);
}

TEST(Check, AFailedNodeIsNeverPassed) {
  Ring r = ring(false);
  r.problem = problem_of(r.net, r.paths, scenarios_of(r.net, {false, true, false}, nullptr)[1], false);  // B fails
  EXPECT_EQ(r.problem.affected, 2);
  EXPECT_EQ(check_routes(r.net, r.problem, {{{1, 3}, 2}}, 2, 0).text(), "");
  EXPECT_EQ(check_routes(r.net, r.problem, {{{1, 2, 3}, 1}}, 1, 0).text(), "route 1 (A B C) passes the failed node B");
}

TEST(Check, RoutesAreWrittenByTheirNodesNames) {
  const Ring r = ring(false);
  EXPECT_EQ(format_routes("span", "1", {{{1, 3}, 2}, {{1, 5, 4, 3}, 1}}, r.net), "span 1 2 A C\nspan 1 1 A E D C\n");
}

TEST(Sweep, TheSameForAnyNumberOfThreads) {
  const Ring r = ring(true);
  const std::vector<Scenario> all = scenarios_of(r.net, {true, true, false}, nullptr);
  std::vector<ScenarioOutcome> one, four;
  SweepOptions o;
  o.stub_release = true;
  ASSERT_FALSE(sweep(r.net, r.paths, all, o, one));
  o.threads = 4;
  std::size_t calls = 0;
  o.progress = [&](std::size_t, std::size_t total) {
    ++calls;
    EXPECT_EQ(total, all.size());
  };
  ASSERT_FALSE(sweep(r.net, r.paths, all, o, four));
  EXPECT_EQ(calls, all.size());
  ASSERT_EQ(one.size(), four.size());
  for (std::size_t s = 0; s < one.size(); ++s) {
    EXPECT_EQ(one[s].restored, four[s].restored);
    EXPECT_EQ(one[s].down, four[s].down);
    ASSERT_EQ(one[s].routes.size(), four[s].routes.size());
    for (std::size_t k = 0; k < one[s].routes.size(); ++k) EXPECT_EQ(one[s].routes[k].nodes, four[s].routes[k].nodes);
  }
  // Node A fails: both paths end there; they are down as long as A is.
  const std::vector<double> u = demand_unavailability(r.paths, one, std::vector<double>(all.size(), 0.0));
  EXPECT_EQ(u, std::vector<double>{0.0});
  std::vector<double> node_a(all.size(), 0.0);
  node_a[5] = 0.5;  // scenarios: spans 1, 2, 3, 5, 6 (D-E has neither), then node A
  EXPECT_EQ(all[5].name, "A");
  EXPECT_EQ(demand_unavailability(r.paths, one, node_a), std::vector<double>{0.5});
}

}  // namespace
