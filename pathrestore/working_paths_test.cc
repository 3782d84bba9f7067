// The path list read against the network: demands of either direction, the
// spans each path crosses (parallel spans filled in file order), the
// refusals with their lines, and the warning for working channels no path
// crosses.
#include "working_paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace pathrestore;

namespace {

// A-B twice in parallel (spans 1 and 2, working 2 and 1), B-C, C-A.
Network net() {
  studyfiles::NodeList nodes{{{"A"}, {"B"}, {"C"}, {"D"}}};
  return network_of(nodes, 3, {{1, 2, 0, 1, 2, 4}, {2, 1, 0, 1, 1, 6}, {2, 3, 0, 1, 3, 8}, {3, 1, 0, 1, 1, 10}});
}

TEST(WorkingPaths, DemandsSpansAndParallelSpansInFileOrder) {
  const Network n = net();
  WorkingPaths w;
  const Error e = read_working_paths("paths\nA B 45\nB A 45\nA B C 45\nC B 45\nC B 45\n", "p.txt", "n.txt", n, w);
  ASSERT_FALSE(e) << e.text();
  ASSERT_EQ(w.paths.size(), 5u);
  ASSERT_EQ(w.demands.size(), 3u);
  EXPECT_EQ(w.demands[0].from, 1);
  EXPECT_EQ(w.demands[0].to, 2);
  EXPECT_EQ(w.demands[0].paths, (std::vector<int>{0, 1}));  // B A joins A B
  EXPECT_EQ(w.demands[1].to, 3);
  EXPECT_EQ(w.demands[2].from, 3);  // as its first path runs
  EXPECT_EQ(w.demands[2].to, 2);
  EXPECT_EQ(w.demands[2].paths, (std::vector<int>{3, 4}));
  // Span 1 takes two crossings, then span 2 the third.
  EXPECT_EQ(w.paths[0].spans, (std::vector<int>{0}));
  EXPECT_EQ(w.paths[1].spans, (std::vector<int>{0}));
  EXPECT_EQ(w.paths[2].spans, (std::vector<int>{1, 2}));
  EXPECT_EQ(w.paths[2].line, 4);
  EXPECT_EQ(w.paths_on_span[2], (std::vector<int>{2, 3, 4}));
  EXPECT_EQ(w.paths_at_node[3], (std::vector<int>{2, 3, 4}));
  // C-A carries a working channel no path crosses.
  EXPECT_EQ(unused_working_text(n, w), "working channels no path crosses take no part: span 4 (C-A) 1 of 1");
}

TEST(WorkingPaths, RefusalsNameTheLine) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"", "p.txt:1: empty path list: no title line"},
      {"t\nA B 45\n\nB C 45\n", "p.txt:3: an empty line: a path names its nodes, then 45"},
      {"t\nA B\n", "p.txt:2: the path does not end with 45"},
      {"t\n45\n", "p.txt:2: the path names no node before 45"},
      {"t\nA 45\n", "p.txt:2: a path of one node, 'A': a path joins two nodes"},
      {"t\nA E 45\n", "p.txt:2: node 'E' is not in the node list n.txt"},
      {"t\nA B A 45\n", "p.txt:2: the path visits node 'A' twice"},
      {"t\nA B C D 45\n", "p.txt:2: no span joins 'C' and 'D'"},
      // B-C carries 3: the fourth crossing is refused at its line, with the count of all.
      {"t\nB C 45\nB C 45\nA B C 45\nC B 45\nB C 45\n", "p.txt:5: the paths cross span 3 (B-C) 5 times, but it carries 3 working channels"},
      {"t\nA B 45\nA B 45\nB A 45\nA B 45\n",
       "p.txt:5: the paths cross the parallel spans 1 and 2 (A-B) 4 times, but they carry 3 working channels"},
  };
  const Network n = net();
  for (const auto& c : cases) {
    WorkingPaths w;
    EXPECT_EQ(read_working_paths(c.text, "p.txt", "n.txt", n, w).text(), c.message) << c.text;
  }
}

}  // namespace
