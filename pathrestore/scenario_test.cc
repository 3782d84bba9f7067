// Scenarios: the --fail words, which scenarios a network has, and what each
// hits: ending paths at a failed node, the capacities left with and without
// stub release, a group of one span as that span.
#include "scenario.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "restoration.h"

using namespace pathrestore;

namespace {

TEST(Scenario, FailKinds) {
  FailKinds k;
  ASSERT_FALSE(parse_fail_kinds("nodes,spans", k));
  EXPECT_TRUE(k.spans && k.nodes && !k.groups);
  EXPECT_EQ(parse_fail_kinds("spans,spans", k).text(), "--fail names spans twice");
  EXPECT_EQ(parse_fail_kinds("span", k).text(), "--fail wants spans, nodes or groups, comma-separated, not 'span'");
  EXPECT_TRUE(parse_fail_kinds("spans,", k));
  EXPECT_TRUE(parse_fail_kinds("", k));
}

// A square A-B-C-D-A with a diagonal A-C that carries nothing and a span
// B-D with neither working nor spare.
struct Square {
  Network net;
  WorkingPaths paths;
};

Square square() {
  Square s;
  studyfiles::NodeList nodes{{{"A"}, {"B"}, {"C"}, {"D"}}};
  s.net = network_of(nodes, 4,
                     {{1, 2, 0, 2, 3, 4}, {2, 3, 0, 2, 3, 6}, {3, 4, 0, 2, 1, 8}, {4, 1, 0, 2, 0, 10}, {1, 3, 0, 3, 0, 12},
                      {2, 4, 0, 0, 0, 14}});
  // A-B, A-B-C twice, B-C-D (1 on C-D).
  const Error e = read_working_paths("t\nA B 45\nA B C 45\nC B A 45\nB C D 45\n", "p", "n", s.net, s.paths);
  EXPECT_FALSE(e) << e.text();
  return s;
}

TEST(Scenario, EverySpanWithWorkingOrSpareEveryNodeEveryGroup) {
  const Square s = square();
  studyfiles::GroupsFile g;
  g.groups.push_back({"duct", {2, 3}, 2});
  const std::vector<Scenario> all = scenarios_of(s.net, {true, true, true}, &g);
  std::vector<std::string> names;
  for (const Scenario& x : all) names.push_back(std::string(kind_word(x.kind)) + " " + x.name);
  EXPECT_EQ(names, (std::vector<std::string>{"span 1", "span 2", "span 3", "span 4", "span 5", "node A", "node B", "node C",
                                             "node D", "group duct"}));
  EXPECT_EQ(all[6].failed_spans, (std::vector<int>{0, 1, 5}));  // every span at B
  EXPECT_EQ(all[9].failed_spans, (std::vector<int>{1, 2}));
}

TEST(Scenario, AnEndingPathHasAnEndAtTheFailedNode) {
  const Square s = square();
  for (const Scenario& x : scenarios_of(s.net, {false, true, false}, nullptr)) {
    const ScenarioProblem p = problem_of(s.net, s.paths, x, false);
    int ending = 0, through = 0;
    for (const WorkingPath& path : s.paths.paths) {
      const bool end = path.nodes.front() == x.number || path.nodes.back() == x.number;
      ending += end ? 1 : 0;
      for (int v : path.nodes) through += v == x.number && !end ? 1 : 0;
    }
    EXPECT_EQ(p.ending, ending) << x.name;
    EXPECT_EQ(p.affected, through) << x.name;
    for (int k : s.net.spans_at[static_cast<std::size_t>(x.number)]) EXPECT_EQ(p.capacity[static_cast<std::size_t>(k)], 0);
  }
  // B fails: A-B and B-C-D end there, the two A-B-C pass it.
  const ScenarioProblem b = problem_of(s.net, s.paths, scenarios_of(s.net, {false, true, false}, nullptr)[1], false);
  EXPECT_EQ(b.ending, 2);
  EXPECT_EQ(b.affected, 2);
  ASSERT_EQ(b.demands.size(), 1u);
  EXPECT_EQ(b.demands[0].affected, 2);
  EXPECT_EQ(b.ending_demands, (std::vector<std::pair<int, int>>{{0, 1}, {2, 1}}));
}

TEST(Scenario, StubReleaseFreesWhatTheHitPathsHeldOnSurvivingSpans) {
  const Square s = square();
  const Scenario bc = scenarios_of(s.net, {true, false, false}, nullptr)[1];  // span 2, B-C
  const ScenarioProblem plain = problem_of(s.net, s.paths, bc, false);
  const ScenarioProblem stub = problem_of(s.net, s.paths, bc, true);
  EXPECT_EQ(plain.affected, 3);  // A-B-C twice, B-C-D
  EXPECT_EQ(plain.capacity, (std::vector<long long>{2, 0, 2, 2, 3, 0}));
  // A-B-C held A-B twice, B-C-D held C-D once.
  EXPECT_EQ(stub.capacity, (std::vector<long long>{4, 0, 3, 2, 3, 0}));
}

TEST(Scenario, AGroupOfOneSpanIsThatSpan) {
  const Square s = square();
  studyfiles::GroupsFile g;
  for (int k = 1; k <= 5; ++k) g.groups.push_back({"g" + std::to_string(k), {k}, k + 1});
  const std::vector<Scenario> spans = scenarios_of(s.net, {true, false, false}, nullptr);
  const std::vector<Scenario> groups = scenarios_of(s.net, {false, false, true}, &g);
  ASSERT_EQ(spans.size(), groups.size());
  for (std::size_t k = 0; k < spans.size(); ++k)
    for (bool stub : {false, true}) {
      const ScenarioProblem a = problem_of(s.net, s.paths, spans[k], stub);
      const ScenarioProblem b = problem_of(s.net, s.paths, groups[k], stub);
      RestoreOptions o;
      o.exact_bound = true;
      const ScenarioResult ra = restore(s.net, a, o), rb = restore(s.net, b, o);
      EXPECT_EQ(a.affected, b.affected);
      EXPECT_EQ(a.ending, b.ending);
      EXPECT_EQ(ra.restored, rb.restored);
      EXPECT_EQ(ra.bound, rb.bound);
    }
}

}  // namespace
