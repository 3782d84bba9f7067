#include "netdata.h"
#include "node_list.h"

#include <gtest/gtest.h>

TEST(NodeList, ReadsNamesAndCoordinatesAfterTheTitleLine) {
  NodeList list;
  ASSERT_FALSE(read_node_list("ringnodes.txt\n1 Alpha 12.500000 -3.000000\n2 Beta 7 8\n", "n.txt", list));
  ASSERT_EQ(list.nodes.size(), 2u);
  EXPECT_EQ(list.nodes[0].name, "Alpha");
  EXPECT_DOUBLE_EQ(list.nodes[0].first, 12.5);
  EXPECT_DOUBLE_EQ(list.nodes[0].second, -3.0);
  EXPECT_TRUE(list.nodes[1].has_coordinates);

  ASSERT_FALSE(read_node_list("title\n1 A\n2 B\n", "n.txt", list));  // names only, as capsweep needs
  EXPECT_FALSE(list.nodes[0].has_coordinates);
  ASSERT_FALSE(read_node_list("title only\n", "n.txt", list));
  EXPECT_TRUE(list.nodes.empty());
}

TEST(NodeList, NamesTheLineOfABrokenNodeLine) {
  NodeList list;
  EXPECT_EQ(read_node_list("t\n1 A 0 0\n2 B 0 0\n4 D 0 0\n", "n.txt", list).text(), "n.txt:4: node number 4, expected 3");
  EXPECT_EQ(read_node_list("t\n1 A 0 0\n\n", "n.txt", list).text(), "n.txt:3: expected a node number");
  EXPECT_EQ(read_node_list("t\n1\n", "n.txt", list).text(), "n.txt:2: expected a node name after the number");
  EXPECT_EQ(read_node_list("t\n1 A 0.5 north\n", "n.txt", list).text(),
            "n.txt:2: expected two coordinates after the node name");
  EXPECT_EQ(read_node_list("t\n1 A 0.5\n", "n.txt", list).text(), "n.txt:2: expected two coordinates after the node name");
}

TEST(Netdata, ReadsRecordsWhateverTheLineBreaks) {
  Netdata net;
  ASSERT_FALSE(read_netdata("1 3\n4\n1 1 2 7 5 10\n2 2 1 7 5 10 3 2 3\n1 0 4\n4 3 2 1 0 4\n", "net.dat", net));
  EXPECT_TRUE(net.bidirectional);
  EXPECT_EQ(net.n_node, 3);
  ASSERT_EQ(net.edges.size(), 4u);
  EXPECT_EQ(net.edges[2].from, 2);
  EXPECT_EQ(net.edges[2].to, 3);
  EXPECT_EQ(net.edges[2].spare, 0);
  EXPECT_EQ(net.edges[2].capacity, 4);
  EXPECT_EQ(net.edges[2].line, 4);  // the record starts on the line of its edge number
  ASSERT_FALSE(read_netdata("0 2 0\n", "net.dat", net));
  EXPECT_FALSE(net.bidirectional);
  EXPECT_TRUE(net.edges.empty());
}

TEST(Netdata, NamesTheLineAndTheValueOfBadInput) {
  Netdata net;
  EXPECT_EQ(read_netdata("1 3 2\n1 1 2 1 5 x\n", "net.dat", net).text(),
            "net.dat:2: expected a whole number for the capacity of edge record 1, found 'x'");
  EXPECT_EQ(read_netdata("1 3 2\n1 1 2 1 5 5\n2 2 1\n", "net.dat", net).text(),
            "net.dat:3: the file ends before the cost of edge record 2");
  EXPECT_EQ(read_netdata("0 3 1\n1 1 4 1 5 5\n", "net.dat", net).text(), "net.dat:2: edge record 1: node 4 is outside 1..3");
  EXPECT_EQ(read_netdata("0\n-3 1\n", "net.dat", net).text(), "net.dat:2: the number of nodes is negative (-3)");
  EXPECT_EQ(read_netdata("", "net.dat", net).text(), "net.dat:1: the file ends before the bidirectional flag");
}

TEST(NodeList, WrittenListsReadBackAsTheSameNodes) {
  NodeList list;
  list.nodes = {{"Seattle", -122.33, 47.61, true}, {"Boise", -116.2, 43.6, true}};
  const std::string text = format_node_list("west_nodes.txt", list);
  EXPECT_EQ(text, "west_nodes.txt\n1 Seattle -122.330000 47.610000\n2 Boise -116.200000 43.600000\n");
  NodeList back;
  ASSERT_FALSE(read_node_list(text, "west_nodes.txt", back));
  ASSERT_EQ(back.nodes.size(), 2u);
  EXPECT_EQ(back.nodes[1].name, "Boise");
  EXPECT_DOUBLE_EQ(back.nodes[1].first, -116.2);
  EXPECT_DOUBLE_EQ(back.nodes[1].second, 43.6);

  list.nodes = {{"A", 0, 0, false}};
  EXPECT_EQ(format_node_list("t", list), "t\n1 A\n");
}

TEST(Netdata, WrittenFilesReadBackAsTheSameRecords) {
  Netdata net;
  net.bidirectional = true;
  net.n_node = 3;
  net.edges = {{1, 1, 2, 1234, 567, 14, 0}, {2, 2, 1, 1234, 567, 14, 0}, {3, 2, 3, 9, 0, 0, 0}, {4, 3, 2, 9, 0, 0, 0}};
  const std::string text = format_netdata(net);
  EXPECT_EQ(text.substr(0, 24), "1\n3\n4\n1 1 2 1234 567 14\n");
  Netdata back;
  ASSERT_FALSE(read_netdata(text, "net.dat", back));
  EXPECT_TRUE(back.bidirectional);
  EXPECT_EQ(back.n_node, 3);
  ASSERT_EQ(back.edges.size(), net.edges.size());
  for (std::size_t k = 0; k < net.edges.size(); ++k) {
    const EdgeRecord& a = net.edges[k];
    const EdgeRecord& b = back.edges[k];
    EXPECT_EQ(std::vector<int>({a.number, a.from, a.to, a.cost, a.spare, a.capacity}),
              std::vector<int>({b.number, b.from, b.to, b.cost, b.spare, b.capacity}));
    EXPECT_EQ(b.line, static_cast<int>(k) + 4);
  }
}
