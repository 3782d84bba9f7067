#include "node_table.h"

#include <gtest/gtest.h>

#include "scanner.h"

namespace netrestore {

namespace {

constexpr NodeListRules kRouteweave{true, true};
constexpr NodeListRules kLinkweave{false, false};

TEST(NodeList, ReadsTitleAndNodeLines) {
  NodeList list = parse_node_list("title\n1 A 1.5 2.5\n2\tB   3.9 -4.9", "n.txt", kRouteweave);
  ASSERT_FALSE(list.error);
  EXPECT_EQ(list.title, "title\n");
  ASSERT_EQ(list.nodes.size(), 2u);
  EXPECT_EQ(list.nodes[1].name, "B");
  EXPECT_EQ(list.nodes[1].line_number, 3);
  EXPECT_EQ(cut_coordinate(list.nodes[0].v), 1);
  EXPECT_EQ(cut_coordinate(list.nodes[1].v), 3);
  EXPECT_EQ(cut_coordinate(list.nodes[1].h), -4);
}

TEST(NodeList, EmptyTextHasNoTitleAndNoNodes) {
  NodeList list = parse_node_list("", "n.txt", kRouteweave);
  EXPECT_FALSE(list.error);
  EXPECT_EQ(list.title, "");
  EXPECT_TRUE(list.nodes.empty());
}

TEST(NodeList, SequenceBrokenByAGapOrABlankLine) {
  NodeList gap = parse_node_list("t\n1 A 0 0\n2 B 0 0\n4 D 0 0\n", "n.txt", kRouteweave);
  ASSERT_TRUE(gap.error);
  EXPECT_EQ(gap.error.text(), "!!SequenceNo not correct! It is 4 instead of 3.");
  EXPECT_TRUE(gap.out_of_sequence);
  NodeList blank = parse_node_list("t\n1 A 0 0\n2 B 0 0\n\n", "n.txt", kRouteweave);
  ASSERT_TRUE(blank.error);
  EXPECT_EQ(blank.error.text(), "!!SequenceNo not correct! It is 2 instead of 3.");
  NodeList first = parse_node_list("t\nA 0 0\n", "n.txt", kRouteweave);
  ASSERT_TRUE(first.error);
  EXPECT_EQ(first.error.text(), "!!SequenceNo not correct! It is 0 instead of 1.");
}

TEST(NodeList, MissingFieldsAndLimitsAreRefusedNamingFileAndLine) {
  const std::string name51(51, 'n');
  EXPECT_FALSE(parse_node_list("t\n1 " + name51 + " 0 0\n", "n.txt", kRouteweave).error);
  struct Case {
    std::string text;
    std::string message;
  } cases[] = {
      {"t\n1 A 0\n", "n.txt:2: expected a node number, a name and two coordinates"},
      {"t\n1 " + name51 + "x 0 0\n", "n.txt:2: node 1: name " + name51 + "x is longer than 51 characters"},
      {"t\n1 A 3e9 0\n", "n.txt:2: node 1 (A): coordinates beyond the range of whole numbers"},
      {"t\n1 A nan 0\n", "n.txt:2: node 1 (A): coordinates beyond the range of whole numbers"},
  };
  for (const Case& c : cases) {
    NodeList list = parse_node_list(c.text, "n.txt", kRouteweave);
    ASSERT_TRUE(list.error) << c.text;
    EXPECT_EQ(list.error.text(), c.message);
    EXPECT_FALSE(list.out_of_sequence);
  }
}

TEST(NodeList, LinkweaveTakesNumbersAsGivenAndPassesBlankLines) {
  NodeList list = parse_node_list("t\n1 A 10.0 20.0\n\n   \n5 E 1e9 -0.5\n2 B 0 0\n", "n.txt", kLinkweave);
  ASSERT_FALSE(list.error);
  ASSERT_EQ(list.nodes.size(), 3u);
  EXPECT_FLOAT_EQ(list.nodes[1].v, 1e9f);
  Network net;
  fill_node_table(net, list.nodes);
  EXPECT_EQ(net.noOfNodes, 2);  // the last line's number
  EXPECT_EQ(net.largestNodeID, 5);
  EXPECT_EQ(net.node[5].name, "E");
  EXPECT_EQ(net.node[3].name, "");
}

TEST(NodeList, LinkweaveRefusesNumbersTheTableCannotHold) {
  for (const char* text : {"t\n0 A 0 0\n", "t\n400 A 0 0\n", "t\n-1 A 0 0\n", "t\nA 0 0\n", "t\n99999999999 A 0 0\n"}) {
    NodeList list = parse_node_list(text, "n.txt", kLinkweave);
    ASSERT_TRUE(list.error) << text;
    EXPECT_EQ(list.error.text().rfind("n.txt:2: ", 0), 0u) << list.error.text();
  }
}

}  // namespace

}  // namespace netrestore
