// The shared-risk groups file: spans named by their ends (a name with '-'
// resolved at one split only), the refusals with their lines, and a written
// file read back.
#include "groups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using studyfiles::Group;
using studyfiles::GroupsFile;
using studyfiles::NodeList;
using studyfiles::Span;
using studyfiles::format_groups;
using studyfiles::read_groups;

namespace {

// Names with '-' in them: "x-y" is a node as well as x and y.
const NodeList kNodes{{{"x"}, {"x-y"}, {"y"}, {"z"}, {"A"}, {"B"}}};

// Spans 1 x-z, 2 x-y/z (x-y to z), 3 y-z, 4 A-B, 5 B-A (parallel to 4), 6 x-A.
const std::vector<Span> kSpans{{1, 4}, {2, 4}, {3, 4}, {5, 6}, {6, 5}, {1, 5}};

GroupsFile read_ok(const std::string& text) {
  GroupsFile g;
  const Error e = read_groups(text, "g.txt", kNodes, kSpans, g);
  EXPECT_FALSE(e) << e.text();
  return g;
}

TEST(Groups, ReadWithParallelSpansTogetherAndWrittenBack) {
  const GroupsFile g = read_ok("ducts\nd1 x-z x-y-z\n\n  d2\tB-A  x-A\nbridge y-z\r\n");
  EXPECT_EQ(g.title, "ducts");
  ASSERT_EQ(g.groups.size(), 3u);
  EXPECT_EQ(g.groups[0].spans, (std::vector<int>{1, 2}));
  EXPECT_EQ(g.groups[1].name, "d2");
  EXPECT_EQ(g.groups[1].spans, (std::vector<int>{4, 5, 6}));
  EXPECT_EQ(g.groups[1].line, 4);
  EXPECT_EQ(g.groups[2].spans, (std::vector<int>{3}));
  const std::string text = format_groups(g, kNodes, kSpans);
  EXPECT_EQ(text, "ducts\nd1 x-z x-y-z\nd2 A-B x-A\nbridge y-z\n");
  const GroupsFile again = read_ok(text);
  ASSERT_EQ(again.groups.size(), g.groups.size());
  for (std::size_t i = 0; i < g.groups.size(); ++i) {
    EXPECT_EQ(again.groups[i].name, g.groups[i].name);
    EXPECT_EQ(again.groups[i].spans, g.groups[i].spans);
  }
}

TEST(Groups, FaultsAreRefusedWithTheirLine) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"", "g.txt:1: empty groups file: no title line"},
      {"t\nd1 x-z\nd2\n", "g.txt:3: group d2 names no span"},
      {"t\nd1 x-z\n\nd1 y-z\n", "g.txt:4: group d1 is named twice, first on line 2"},
      {"t\nd1 xz\n", "g.txt:2: 'xz' is no span: expected its two end nodes joined by '-'"},
      {"t\nd1 x-w\n", "g.txt:2: 'x-w' names no two nodes of the node list"},
      {"t\nd1 z-z\n", "g.txt:2: 'z-z' names the same node twice"},
      {"t\nd1 x-B\n", "g.txt:2: 'x-B': no span joins x and B"},
      {"t\nd1 x-z y-z z-x\n", "g.txt:2: group d1 names the span z-x twice"},
      {"t\nd1 A-B B-A\n", "g.txt:2: group d1 names the span B-A twice"},
  };
  for (const auto& c : cases) {
    GroupsFile g;
    EXPECT_EQ(read_groups(c.text, "g.txt", kNodes, kSpans, g).text(), c.message) << c.text;
  }
  // Ambiguous words are refused as such.
  const NodeList names{{{"p"}, {"p-q"}, {"q"}, {"q-r"}, {"r"}}};
  const std::vector<Span> spans{{1, 4}, {2, 5}};
  GroupsFile g;
  EXPECT_EQ(read_groups("t\ng p-q-r\n", "g.txt", names, spans, g).text(),
            "g.txt:2: 'p-q-r' is ambiguous: more than one split at '-' names two nodes");
}

}  // namespace
