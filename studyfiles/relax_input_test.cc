#include "relax_input.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "text_format.h"

namespace studyfiles {

namespace {

// RELAX.INP as capsweep writes it: arcs are {from, to, cost, capacity}.
std::string relax_file(int node_count, const std::vector<std::array<int, 4>>& arcs, int from, int to, int demand) {
  std::string text = text_printf("%d\n%d\n", node_count, static_cast<int>(arcs.size()));
  int k = 0;
  for (const auto& a : arcs) text += text_printf("%3d%3d%3d%3d%3d\n", ++k, a[0], a[1], a[2], a[3]);
  for (int n = 1; n <= node_count; ++n) {
    if (n == from) {
      text += text_printf("%3d%3d\n", n, -demand);
    } else if (n == to) {
      text += text_printf("%3d%3d\n", n, demand);
    } else {
      text += text_printf("%d  %d\n", n, 0);
    }
  }
  return text;
}

std::vector<FieldRange> any_ints(std::size_t count) { return std::vector<FieldRange>(count, FieldRange{INT_MIN, INT_MAX}); }

using Readings = std::vector<std::vector<long long>>;

}  // namespace

TEST(ReadFields, FieldsThatRunTogether) {
  const std::vector<FieldRange> arc5{{5, 5}, {1, 200}, {1, 200}, {INT_MIN, INT_MAX}, {0, INT_MAX}};
  EXPECT_EQ(read_fields("  5100101  7 10", arc5), (Readings{{5, 100, 101, 7, 10}}));
  EXPECT_EQ(read_fields("  5100101-12100", arc5), (Readings{{5, 100, 101, -12, 100}}));
  EXPECT_EQ(read_fields("  1  2  3  4  5", any_ints(5)), (Readings{{1, 2, 3, 4, 5}}));
  // A field wider than three has no leading blank or zero, so "1000" then
  // "  2", not "100" then "0  2".
  EXPECT_EQ(read_fields("1000  2", any_ints(2)), (Readings{{1000, 2}}));
  EXPECT_EQ(read_fields("100 20", any_ints(2)), (Readings{{100, 20}}));
  // Negative values of more than three characters.
  EXPECT_EQ(read_fields("  1-100", any_ints(2)), (Readings{{1, -100}}));
  EXPECT_EQ(read_fields("1000-1000", any_ints(2)), (Readings{{1000, -1000}}));
  EXPECT_EQ(read_fields(" 12-99", any_ints(2)), (Readings{{12, -99}}));
}

TEST(ReadFields, WhatIsKnownSettlesTheReading) {
  // Without the arc number, "1234567" could start with 123 or 1234.
  EXPECT_EQ(read_fields("1234567  8  9  1", any_ints(5)).size(), 2u);
  const std::vector<FieldRange> arc1234{{1234, 1234}, {1, 999}, {1, 999}, {INT_MIN, INT_MAX}, {0, INT_MAX}};
  EXPECT_EQ(read_fields("1234567  8  9  1", arc1234), (Readings{{1234, 567, 8, 9, 1}}));
  // Node numbers lie in 1..node count.
  const std::vector<FieldRange> nodes{{1, 5000}, {1, 5000}};
  EXPECT_EQ(read_fields("45674567", nodes), (Readings{{4567, 4567}}));
  EXPECT_EQ(read_fields("456784567", nodes), Readings{});
}

TEST(ReadFields, BlanksBetweenNumbersAndOddLines) {
  EXPECT_EQ(read_fields("1  0", any_ints(2)), (Readings{{1, 0}}));
  EXPECT_EQ(read_fields("12  0\r", any_ints(2)), (Readings{{12, 0}}));
  EXPECT_EQ(read_fields("   7   8 ", any_ints(2)), (Readings{{7, 8}}));
  EXPECT_EQ(read_fields("", any_ints(2)), Readings{});
  EXPECT_EQ(read_fields("  1  2  3", any_ints(2)), Readings{});
  EXPECT_EQ(read_fields("  1012", any_ints(2)), Readings{});
  EXPECT_EQ(read_fields(" -0-12", any_ints(2)), Readings{});
  EXPECT_EQ(read_fields("  1 2x", any_ints(2)), Readings{});
  EXPECT_EQ(read_fields("  199999999999", any_ints(2)), Readings{});
  EXPECT_EQ(read_fields(std::string(5000, '7'), any_ints(5)), Readings{});
}

TEST(ReadRelaxInput, TheLayoutCapsweepWrites) {
  const std::string text = relax_file(4, {{1, 2, 1, 0}, {2, 1, 1, 0}, {1, 3, 2, 5}, {3, 2, -1, 9}}, 1, 2, 7);
  ASSERT_EQ(text.substr(0, 25), "4\n4\n  1  1  2  1  0\n  2  ");
  RelaxProblem p;
  const Error error = read_relax_input(text, "RELAX.INP", p);
  ASSERT_FALSE(error) << error.text();
  EXPECT_EQ(p.node_count, 4);
  ASSERT_EQ(p.arcs.size(), 4u);
  EXPECT_EQ(p.arcs[3].from, 3);
  EXPECT_EQ(p.arcs[3].to, 2);
  EXPECT_EQ(p.arcs[3].cost, -1);
  EXPECT_EQ(p.arcs[3].capacity, 9);
  EXPECT_EQ(p.source, 1);
  EXPECT_EQ(p.sink, 2);
  EXPECT_EQ(p.demand, 7);
}

TEST(ReadRelaxInput, LargeNetworksWhoseFieldsRunTogether) {
  // 1,200 nodes and 1,005 arcs: arc numbers above 999, node numbers above
  // 999, a demand of -100 and below; the sink's line "1011234" (node 101
  // taking 1234, not node 1011 taking 234).
  std::vector<std::array<int, 4>> arcs;
  for (int k = 1; k <= 1005; ++k) arcs.push_back({k, k + 100, k % 7 - 3, 150});
  RelaxProblem p;
  const Error error = read_relax_input(relax_file(1200, arcs, 1100, 101, 1234), "RELAX.INP", p);
  ASSERT_FALSE(error) << error.text();
  ASSERT_EQ(p.arcs.size(), 1005u);
  for (std::size_t i = 0; i < arcs.size(); ++i) {
    ASSERT_EQ(p.arcs[i].from, arcs[i][0]) << i;
    ASSERT_EQ(p.arcs[i].to, arcs[i][1]) << i;
    ASSERT_EQ(p.arcs[i].cost, arcs[i][2]) << i;
    ASSERT_EQ(p.arcs[i].capacity, 150) << i;
  }
  EXPECT_EQ(p.source, 1100);
  EXPECT_EQ(p.sink, 101);
  EXPECT_EQ(p.demand, 1234);
}

TEST(ReadRelaxInput, BadInputNamesTheLine) {
  const std::string ok_arcs = "3\n2\n  1  1  2  1  5\n  2  2  3  1  5\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "RELAX.INP:1: the file ends before the node count"},
      {"x\n", "RELAX.INP:1: expected the node count, a whole number of at least 1"},
      {"0\n0\n", "RELAX.INP:1: expected the node count, a whole number of at least 1"},
      {"3\n-1\n", "RELAX.INP:2: expected the arc count, a whole number of at least 0"},
      {"3\n2\n  1  1  2  1  5\n", "RELAX.INP:4: the file ends before arc line 2"},
      {"3\n1\n  2  1  2  1  5\n", "RELAX.INP:3: arc line 1: arc number 2, expected 1"},
      {"3\n1\n  1  1  4  1  5\n", "RELAX.INP:3: arc line 1: to node 4 is not in 1..3"},
      {"3\n1\n  1  0  2  1  5\n", "RELAX.INP:3: arc line 1: from node 0 is not in 1..3"},
      {"3\n1\n  1  1  2  1 -5\n", "RELAX.INP:3: arc 1 has a negative capacity, -5"},
      {"3\n1\n  1  1  2  1\n",
       "RELAX.INP:3: expected arc line 1: arc number, from node, to node, cost, capacity"},
      {ok_arcs + "  1 -5\n2  0\n", "RELAX.INP:7: the file ends before supply line 3"},
      {ok_arcs + "  1 -5\n  2  x\n", "RELAX.INP:6: expected supply line 2: node number, value"},
      {ok_arcs + "  1 -5\n  3  5\n2  0\n", "RELAX.INP:6: supply line 2: node number 3, expected 2"},
      {ok_arcs + "  1 -5\n  2 -1\n  3  6\n", "RELAX.INP:6: node 2 is a second source (node 1 is the first)"},
      {ok_arcs + "  1  5\n  2  1\n  3 -6\n", "RELAX.INP:6: node 2 is a second sink (node 1 is the first)"},
      {ok_arcs + "  1 -5\n  2  0\n  3  4\n", "RELAX.INP: the supplies do not balance: node 1 sends 5, node 3 takes 4"},
      {ok_arcs + "1  0\n2  0\n3  0\n", "RELAX.INP: no demand: every supply value is 0"},
      {ok_arcs + "1  0\n2  0\n  3  4\n", "RELAX.INP: no source: no node has a negative value"},
      {ok_arcs + "  1 -4\n2  0\n3  0\n", "RELAX.INP: no sink: no node has a positive value"},
      {ok_arcs + "  1 -5\n2  0\n  3  5\n\n  4\n", "RELAX.INP:9: unexpected text after the supply lines"},
      {"2\n3\n  1  1  220000000002000000000\n  2  1  220000000002000000000\n  3  1  220000000002000000000\n"
       "  1 -1\n  2  1\n",
       "RELAX.INP: costs times capacities add up to more than the solver can hold"},
  };
  RelaxProblem p;
  for (const auto& [text, error] : cases) EXPECT_EQ(read_relax_input(text, "RELAX.INP", p).text(), error) << text;
}

TEST(ReadRelaxInput, AnAmbiguousLineIsRefused) {
  // Arc 1 from node 1000 to node 1234, or from node 10001 to node 234: both
  // lie in 1..20000.
  RelaxProblem ambiguous;
  EXPECT_EQ(read_relax_input("20000\n1\n  110001234  1  1\n", "RELAX.INP", ambiguous).text(), "RELAX.INP:3: arc line 1 reads two ways: \"1 1000 1234 1 1\" or \"1 10001 234 1 1\"");
  // With 5,000 nodes only the first reading is left.
  const std::string text = relax_file(5000, {{1000, 1234, 1, 1}}, 1000, 1234, 1);
  ASSERT_NE(text.find("\n  110001234  1  1\n"), std::string::npos);
  RelaxProblem settled;
  const Error error = read_relax_input(text, "RELAX.INP", settled);
  ASSERT_FALSE(error) << error.text();
  EXPECT_EQ(settled.arcs[0].from, 1000);
  EXPECT_EQ(settled.arcs[0].to, 1234);
}

TEST(ReadRelaxInput, TrailingBlankLinesAndCarriageReturns) {
  RelaxProblem p;
  const Error error = read_relax_input("3\r\n1\r\n  1  1  3  2  9\r\n  1 -5\r\n2  0\r\n  3  5\r\n\n\n", "RELAX.INP", p);
  ASSERT_FALSE(error) << error.text();
  EXPECT_EQ(p.arcs[0].capacity, 9);
  EXPECT_EQ(p.demand, 5);
}

}  // namespace studyfiles
