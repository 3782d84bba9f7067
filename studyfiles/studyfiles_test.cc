#include "netdata.h"
#include "node_list.h"

#include <gtest/gtest.h>

namespace studyfiles {

namespace {

// Two spans of three nodes, both directions of each.
Netdata two_spans() {
  Netdata net;
  net.bidirectional = true;
  net.n_node = 3;
  net.edges = {{1, 1, 2, 1234, 567, 14, 0}, {2, 2, 1, 1234, 567, 14, 0}, {3, 2, 3, 9, 0, 0, 0}, {4, 3, 2, 9, 0, 0, 0}};
  return net;
}

// The six numbers a record is written with.
std::vector<int> written_fields(const EdgeRecord& e) { return {e.number, e.from, e.to, e.cost, e.spare, e.capacity}; }

}  // namespace

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
  const Netdata net = two_spans();
  const std::string text = format_netdata(net);
  EXPECT_EQ(text.substr(0, 24), "1\n3\n4\n1 1 2 1234 567 14\n");
  Netdata back;
  ASSERT_FALSE(read_netdata(text, "net.dat", back));
  EXPECT_TRUE(back.bidirectional);
  EXPECT_EQ(back.n_node, 3);
  ASSERT_EQ(back.edges.size(), net.edges.size());
  for (std::size_t k = 0; k < net.edges.size(); ++k) {
    EXPECT_EQ(written_fields(back.edges[k]), written_fields(net.edges[k]));
    EXPECT_EQ(back.edges[k].line, static_cast<int>(k) + 4);
  }
}

TEST(Netdata, ARefusedFileKeepsWhatWasReadBeforeTheFault) {
  const Netdata net = two_spans();
  const std::string text = format_netdata(net);
  const std::string without_last_capacity = text.substr(0, text.size() - 3);
  for (Wording wording : {Wording::studies, Wording::capsweep}) {
    Netdata back;
    ASSERT_TRUE(read_netdata(without_last_capacity, "net.dat", back, wording));
    EXPECT_TRUE(back.bidirectional);
    EXPECT_EQ(back.n_node, 3);
    EXPECT_EQ(back.header_read, 3);
    EXPECT_EQ(back.n_record, 4);
    ASSERT_EQ(back.edges.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) EXPECT_EQ(written_fields(back.edges[k]), written_fields(net.edges[k]));
  }
  // A count refused for being negative is kept and counted as read; one that
  // is no number is not.
  Netdata back;
  ASSERT_TRUE(read_netdata("1\n-1 0\n", "net.dat", back, Wording::capsweep));
  EXPECT_EQ(back.header_read, 2);
  EXPECT_EQ(back.n_node, -1);
  ASSERT_TRUE(read_netdata("0 3 -2\n", "net.dat", back));
  EXPECT_EQ(back.header_read, 3);
  EXPECT_FALSE(back.bidirectional);
  EXPECT_EQ(back.n_record, -2);
  ASSERT_TRUE(read_netdata("1 3 x\n", "net.dat", back));
  EXPECT_EQ(back.header_read, 2);
  EXPECT_TRUE(back.bidirectional);
  EXPECT_TRUE(read_netdata("1 3 2\n1 1 2 1 5 5\n2 2 9 1 5 5\n", "net.dat", back, Wording::capsweep));
  EXPECT_EQ(back.edges.size(), 1u);  // a record with a node out of range is not kept
  EXPECT_EQ(read_netdata("", "net.dat", back, Wording::capsweep).text(),
            "net.dat:1: the file ends before the bidirectional flag");
  EXPECT_EQ(back.header_read, 0);
}

TEST(Netdata, EachRefusalInBothWordings) {
  struct Case {
    const char* text;
    const char* studies;
    const char* capsweep;
  } cases[] = {
      {"1\nx 2\n", "net.dat:2: expected a whole number for the number of nodes, found 'x'",
       "net.dat:2: expected the number of nodes, found \"x\""},
      {"0\n-3 1\n", "net.dat:2: the number of nodes is negative (-3)",
       "net.dat:2: the number of nodes is -3; it cannot be negative"},
      {"0 3\n\n-1\n", "net.dat:3: the number of edge records is negative (-1)",
       "net.dat:3: the number of edges is -1; it cannot be negative"},
      {"1 3 2\n1 1 2 1 5 5\n2 2 1\n", "net.dat:3: the file ends before the cost of edge record 2",
       "net.dat:3: the file ends before the cost of record 2"},
      {"1 3 1\n1 1 2 1 5\n4294967299\n",
       "net.dat:3: expected a whole number for the capacity of edge record 1, found '4294967299'",
       "net.dat:3: expected the capacity of record 1, found \"4294967299\""},
      {"0 3 1\n1 1 2 1 +5 5x\n", "net.dat:2: expected a whole number for the capacity of edge record 1, found '5x'",
       "net.dat:2: expected the capacity of record 1, found \"5x\""},
      // The studies check both nodes once the record is read, at the line the
      // record starts on; capsweep checks each node as it is read, at its own
      // line, before the rest of the record.
      {"0 3 1\n1\n1 4 1 5 5\n", "net.dat:2: edge record 1: node 4 is outside 1..3",
       "net.dat:3: record 1: to node 4 is not a node number (1 to 3)"},
      {"0 3 1\n1 0 2 1 5 x\n", "net.dat:2: expected a whole number for the capacity of edge record 1, found 'x'",
       "net.dat:2: record 1: from node 0 is not a node number (1 to 3)"},
  };
  for (const Case& c : cases) {
    Netdata net;
    EXPECT_EQ(read_netdata(c.text, "net.dat", net, Wording::studies).text(), c.studies) << c.text;
    EXPECT_EQ(read_netdata(c.text, "net.dat", net, Wording::capsweep).text(), c.capsweep) << c.text;
  }
}

TEST(NodeList, ARefusedListKeepsTheNodesBeforeTheRefusedLine) {
  NodeList list;
  list.nodes = {{"Seattle", -122.33, 47.61, true}, {"Boise", -116.2, 43.6, true}, {"Reno", -119.8, 39.5, true}};
  const std::string text = format_node_list("west_nodes.txt", list);
  const std::string broken = text.substr(0, text.find("3 Reno")) + "4 Reno 0 0\n";
  for (Wording wording : {Wording::studies, Wording::capsweep}) {
    NodeList back;
    NodeListFault fault = NodeListFault::none;
    ASSERT_TRUE(read_node_list(broken, "west_nodes.txt", back, wording, fault));
    EXPECT_EQ(fault, NodeListFault::sequence);
    ASSERT_EQ(back.nodes.size(), 2u);
    EXPECT_EQ(back.nodes[0].name, "Seattle");
    EXPECT_EQ(back.nodes[1].name, "Boise");
  }
}

TEST(NodeList, EachRefusalInBothWordingsAndWhatItWasFor) {
  struct Case {
    const char* text;
    const char* studies;
    const char* capsweep;
    NodeListFault fault;
  } cases[] = {
      {"t\n1 A 0 0\n2 B 0 0\n4 D 0 0\n", "n.txt:4: node number 4, expected 3",
       "!!SequenceNo not correct! It is 4 instead of 3.", NodeListFault::sequence},
      {"t\n1 A 0 0\n\n", "n.txt:3: expected a node number", "!!SequenceNo not correct! It is 0 instead of 2.",
       NodeListFault::sequence},
      {"t\n1 A\n2147483650 B\n", "n.txt:3: expected a node number", "!!SequenceNo not correct! It is 0 instead of 2.",
       NodeListFault::sequence},
      {"t\n1 A\n2 \r\n", "n.txt:3: expected a node name after the number",
       "n.txt:3: expected a node name after the number 2", NodeListFault::name},
  };
  for (const Case& c : cases) {
    NodeList list;
    NodeListFault fault = NodeListFault::none;
    EXPECT_EQ(read_node_list(c.text, "n.txt", list, Wording::studies, fault).text(), c.studies) << c.text;
    EXPECT_EQ(fault, c.fault) << c.text;
    fault = NodeListFault::none;
    EXPECT_EQ(read_node_list(c.text, "n.txt", list, Wording::capsweep, fault).text(), c.capsweep) << c.text;
    EXPECT_EQ(fault, c.fault) << c.text;
  }

  // capsweep reads the number as "%d" reads it and nothing after the name.
  const char* const loose = "t\n1Alpha 0.5 north\n+2 Beta\n";
  NodeList list;
  NodeListFault fault = NodeListFault::none;
  ASSERT_FALSE(read_node_list(loose, "n.txt", list, Wording::capsweep, fault));
  EXPECT_EQ(fault, NodeListFault::none);
  ASSERT_EQ(list.nodes.size(), 2u);
  EXPECT_EQ(list.nodes[0].name, "Alpha");
  EXPECT_FALSE(list.nodes[0].has_coordinates);
  EXPECT_EQ(list.nodes[1].name, "Beta");
  EXPECT_EQ(read_node_list(loose, "n.txt", list).text(), "n.txt:2: expected a node number");
  EXPECT_EQ(read_node_list("t\n1 A 0.5 north\n", "n.txt", list, Wording::studies, fault).text(),
            "n.txt:2: expected two coordinates after the node name");
  EXPECT_EQ(fault, NodeListFault::coordinates);
}

}  // namespace studyfiles
