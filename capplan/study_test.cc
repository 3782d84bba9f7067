// The netdata records as spans, and the planned file written back record
// for record.
#include <gtest/gtest.h>

#include "study.h"

using studyfiles::Netdata;
using studyfiles::NodeList;
using studyfiles::format_netdata;
using studyfiles::read_netdata;

namespace capplan {

namespace {

Netdata read(const std::string& text) {
  Netdata net;
  const Error error = read_netdata(text, "net.dat", net);
  EXPECT_FALSE(error) << error.text();
  return net;
}

NodeList three_nodes() { return NodeList{{{"A"}, {"B"}, {"C"}}}; }

const StudyNames kNames{"nodes.txt", "net.dat"};

TEST(Spans, PairsOfRecordsWithTheirCostWorkingAndKeptSpare) {
  const Netdata net = read("1\n3\n4\n1 1 2 5 2 7\n2 2 1 5 2 7\n3 2 3 9 0 4\n4 3 2 9 0 4\n");
  SpanNetwork spans;
  ASSERT_FALSE(spans_from_netdata(net, three_nodes(), kNames, {}, spans));
  ASSERT_EQ(spans.spans.size(), 2u);
  EXPECT_EQ(spans.spans[1].from, 2);
  EXPECT_EQ(spans.spans[1].cost, 9);
  EXPECT_EQ(spans.spans[1].working, 4);
  EXPECT_EQ(spans.spans[0].spare, 0);  // ignored unless kept
  ASSERT_FALSE(spans_from_netdata(net, three_nodes(), kNames, {true, true}, spans));
  EXPECT_EQ(spans.spans[0].spare, 2);
  EXPECT_EQ(spans.spans[1].cost, 1);
}

TEST(Spans, CapplanChecksTheFieldsItReads) {
  SpanNetwork spans;
  // Its own wording; a negative cost refused unless every channel costs 1,
  // a negative spare only when it is kept.
  EXPECT_EQ(spans_from_netdata(read("0\n3\n2\n1 1 2 5 2 7\n2 2 1 5 2 7\n"), three_nodes(), kNames, {}, spans).text(),
            "net.dat:1: not a bidirectional netdata file: capplan plans spans, records in pairs");
  const Netdata negative_cost = read("1\n3\n2\n1 1 2 -5 2 7\n2 2 1 -5 2 7\n");
  EXPECT_EQ(spans_from_netdata(negative_cost, three_nodes(), kNames, {}, spans).text(),
            "net.dat:4: record 1 has a negative cost, -5");
  EXPECT_FALSE(spans_from_netdata(negative_cost, three_nodes(), kNames, {true, false}, spans));
  const Netdata negative_spare = read("1\n3\n2\n1 1 2 5 -2 7\n2 2 1 5 -2 7\n");
  EXPECT_FALSE(spans_from_netdata(negative_spare, three_nodes(), kNames, {}, spans));
  EXPECT_EQ(spans_from_netdata(negative_spare, three_nodes(), kNames, {false, true}, spans).text(),
            "net.dat:4: record 1 has a negative spare, -2");
  // Costs that differ are no matter when every channel costs 1.
  EXPECT_FALSE(spans_from_netdata(read("1\n3\n2\n1 1 2 5 2 7\n2 2 1 4 2 7\n"), three_nodes(), kNames, {true, false}, spans));
}

TEST(PlannedFile, KeepsEveryRecordAndPutsTheSpareOnBothDirections) {
  const Netdata net = read("1\n3\n4\n11 1 2 5 2 7\n12 2 1 5 2 7\n13 2 3 9 0 4\n14 3 2 9 0 4\n");
  EXPECT_EQ(format_netdata(planned_netdata(net, {6, 3})),
            "1\n3\n4\n11 1 2 5 6 7\n12 2 1 5 6 7\n13 2 3 9 3 4\n14 3 2 9 3 4\n");
}

}  // namespace

}  // namespace capplan
