#include "inputs.h"

#include <gtest/gtest.h>

using studyfiles::EdgeRecord;

TEST(CapsweepNodeList, NamesComeFromTheSecondFieldWhateverTheCoordinates) {
  NodeListRead r = parse_node_list("ringnodes.txt\n1 NY 0.500000 -2.250000\n2 CHI 12.75 3\n3 LA\n", "n.txt");
  ASSERT_EQ(r.error.text(), "");
  ASSERT_EQ(r.nodes.count(), 3);
  EXPECT_EQ(r.nodes.name_of(1), "NY");
  EXPECT_EQ(r.nodes.name_of(2), "CHI");
  EXPECT_EQ(r.nodes.name_of(3), "LA");
  // A node without a name is shown by its number.
  EXPECT_EQ(r.nodes.name_of(4), "4");
  EXPECT_EQ(r.nodes.name_of(0), "0");
}

TEST(CapsweepNodeList, TitleOnlyOrEmptyGivesNoNodes) {
  EXPECT_EQ(parse_node_list("title\n", "n").nodes.count(), 0);
  EXPECT_EQ(parse_node_list("", "n").nodes.count(), 0);
}

TEST(CapsweepNodeList, BrokenSequenceStopsWithStatus3) {
  NodeListRead r = parse_node_list("t\n1 A 0 0\n2 B 0 0\n4 D 0 0\n", "n");
  EXPECT_EQ(r.error.text(), "!!SequenceNo not correct! It is 4 instead of 3.");
  EXPECT_EQ(r.status, 3);
  // A blank line carries no number, at the end too.
  r = parse_node_list("t\n1 A 0 0\n2 B 0 0\n\n", "n");
  EXPECT_EQ(r.error.text(), "!!SequenceNo not correct! It is 0 instead of 3.");
  EXPECT_EQ(r.status, 3);
}

TEST(CapsweepNodeList, LongNamesAreKeptWholeAndLimitsAreChecked) {
  const std::string name(400, 'x');
  NodeListRead r = parse_node_list("t\n1 " + name + " 0 0\n", "n");
  ASSERT_EQ(r.error.text(), "");
  EXPECT_EQ(r.nodes.name_of(1), name);

  // No limit on the count: 6,000 nodes are read as 3 are.
  std::string text = "t\n";
  for (int k = 1; k <= 6000; ++k) text += std::to_string(k) + " N" + std::to_string(k) + " 0 0\n";
  r = parse_node_list(text, "big.txt");
  ASSERT_EQ(r.error.text(), "");
  EXPECT_EQ(r.nodes.count(), 6000);
  EXPECT_EQ(r.nodes.name_of(6000), "N6000");

  r = parse_node_list("t\n1\n", "n.txt");
  EXPECT_EQ(r.error.text(), "n.txt:2: expected a node name after the number 1");
}

TEST(CapsweepNetdata, RecordsAreReadWhateverTheLineBreaks) {
  NetDataRead r = parse_netdata("1 3\n4\n7 1 2 5 3 10 8 2 1 5 3 10\n 9 2 3 -1 0 4\n10 3 2 1 2 4", "net.dat");
  ASSERT_EQ(r.error.text(), "");
  EXPECT_EQ(r.data.header_read, 3);
  EXPECT_TRUE(r.data.bidirectional);
  EXPECT_EQ(r.data.n_node, 3);
  ASSERT_EQ(r.data.edges.size(), 4u);
  std::vector<int> numbers;
  for (const EdgeRecord& e : r.data.edges) numbers.push_back(e.number);
  EXPECT_EQ(numbers, (std::vector<int>{7, 8, 9, 10}));
  const EdgeRecord& e = r.data.edges[2];
  EXPECT_EQ(e.from, 2);
  EXPECT_EQ(e.to, 3);
  EXPECT_EQ(e.cost, -1);
  EXPECT_EQ(e.spare, 0);
  EXPECT_EQ(e.capacity, 4);
}

TEST(CapsweepNetdata, NoRecordsIsAccepted) {
  NetDataRead r = parse_netdata("0 5 0\n", "net.dat");
  EXPECT_EQ(r.error.text(), "");
  EXPECT_FALSE(r.data.bidirectional);
  EXPECT_TRUE(r.data.edges.empty());
}

TEST(CapsweepNetdata, AnyNumberOfNodesAndRecords) {
  std::string text = "1\n5000\n20000\n";
  for (int k = 1; k <= 10000; ++k) {
    const int a = (k - 1) % 5000 + 1, b = (k + 6) % 5000 + 1;
    text += std::to_string(2 * k - 1) + " " + std::to_string(a) + " " + std::to_string(b) + " 1234 567 890\n";
    text += std::to_string(2 * k) + " " + std::to_string(b) + " " + std::to_string(a) + " 1234 567 890\n";
  }
  NetDataRead r = parse_netdata(text, "net.dat");
  ASSERT_EQ(r.error.text(), "");
  ASSERT_EQ(r.data.edges.size(), 20000u);
  EXPECT_EQ(r.data.n_node, 5000);
  EXPECT_EQ(r.data.edges.back().from, 7);
  EXPECT_EQ(r.data.edges.back().cost, 1234);
}

TEST(CapsweepNetdata, FaultsNameTheLineTheRecordAndTheValue) {
  struct Case {
    const char* text;
    const char* error;
    int header_count;
    std::size_t records;
  } cases[] = {
      {"", "net.dat:1: the file ends before the bidirectional flag", 0, 0},
      {"1 3 2\n1 1 2 1 5 5\n2 2 1 1\n", "net.dat:3: the file ends before the spare of record 2", 3, 1},
      {"1 3 2\n1 1 2 1 5 5\n2 2 x 1 5 5\n", "net.dat:3: expected the to node of record 2, found \"x\"", 3, 1},
      {"1 3 1\n1 1 4 1 5 5\n", "net.dat:2: record 1: to node 4 is not a node number (1 to 3)", 3, 0},
      {"1 3 1\n1 0 2 1 5 5\n", "net.dat:2: record 1: from node 0 is not a node number (1 to 3)", 3, 0},
      {"1 5000 1\n1 1 5001 1 5 5\n", "net.dat:2: record 1: to node 5001 is not a node number (1 to 5000)", 3, 0},
      {"1\n-1 0\n", "net.dat:2: the number of nodes is -1; it cannot be negative", 2, 0},
      {"1 3\n-2\n", "net.dat:2: the number of edges is -2; it cannot be negative", 3, 0},
      {"1 3 99999999999\n", "net.dat:1: expected the number of edges, found \"99999999999\"", 2, 0},
  };
  for (const Case& c : cases) {
    NetDataRead r = parse_netdata(c.text, "net.dat");
    EXPECT_EQ(r.error.text(), c.error) << c.text;
    EXPECT_EQ(r.data.header_read, c.header_count) << c.text;
    EXPECT_EQ(r.data.edges.size(), c.records) << c.text;
  }
}

TEST(CapsweepResultsFile, LastFourCharactersBecomeDotOut) {
  EXPECT_EQ(results_file_name("net.dat"), "net.out");
  EXPECT_EQ(results_file_name("abcdef"), "ab.out");
  EXPECT_EQ(results_file_name("x.data"), "x..out");
  EXPECT_EQ(results_file_name("abcde"), "RELAX.OUT");
  EXPECT_EQ(results_file_name("a.d"), "RELAX.OUT");
  EXPECT_EQ(results_file_name("net.out"), "net.out");
}

TEST(CapsweepStrategy, ReadAsAtoiReadsIt) {
  EXPECT_EQ(strategy_number("3"), 3);
  EXPECT_EQ(strategy_number("  +2"), 2);
  EXPECT_EQ(strategy_number("4abc"), 4);
  EXPECT_EQ(strategy_number("-1"), -1);
  EXPECT_EQ(strategy_number("abc"), 0);
  EXPECT_EQ(strategy_number(""), 0);
}
