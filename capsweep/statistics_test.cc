#include "statistics.h"

#include <gtest/gtest.h>

#include "test_support.h"

using studyfiles::EdgeRecord;
using studyfiles::Netdata;

namespace {

Netdata one_span(int bidirectional) {
  Netdata net;
  net.bidirectional = bidirectional;
  net.n_node = 2;
  net.edges.push_back(EdgeRecord{0, 1, 2, 1, 5, 12});
  if (bidirectional) net.edges.push_back(EdgeRecord{0, 2, 1, 1, 5, 12});
  net.n_record = static_cast<int>(net.edges.size());
  return net;
}

std::string report(const Netdata& net) {
  MemoryFile out;
  print_net_stats(out.get(), net, net_stats(net));
  return out.text();
}

constexpr const char* kSummaryHead =
    "\n------NODE SUMMARY---------\n\n"
    "Node   Total    Total\n"
    " #     Cap in   Sp in\n"
    "----   ------   -----\n";

TEST(CapsweepNetStats, OneBidirectionalSpan) {
  EXPECT_EQ(report(one_span(1)),
            std::string("\n*****************NET_STATS***************\n\n"
                        "Maximum capacity link -- 12.\n"
                        "Minimum capacity link -- 12.\n"
                        "Maximum spare link -- 5.\n"
                        "Minimum spare link -- 5.\n"
                        "Total network capacity -- 24.\n"
                        "Total network spares -- 10.\n"
                        "Ave spare:cap ratio (ie total_spares / total_cap) -- 0.416667\n"
                        "Ave capacity per link (ie total_cap / n_edge) -- 12.000000 \n"
                        "Ave spares per link (ie total_spares / n_edge) -- 5.000000 \n"
                        "Ave links per node (ie n_edge / n_node) -- 0.500000 \n") +
                kSummaryHead + "  1 \t  12       5\n  2 \t  12       5\n");
}

TEST(CapsweepNetStats, OneRecordNotBidirectional) {
  const std::string text = report(one_span(0));
  EXPECT_NE(text.find("Total network capacity -- 12.\n"), std::string::npos);
  EXPECT_NE(text.find("Ave links per node (ie n_edge / n_node) -- 0.250000 \n"), std::string::npos);
  EXPECT_TRUE(text.ends_with(std::string(kSummaryHead) + "  1 \t  12       5\n  2 \t  12       5\n")) << text;
}

TEST(CapsweepNetStats, NodeTotalsAreHalvedTowardZero) {
  Netdata net;
  net.bidirectional = 1;
  net.n_node = 3;
  net.edges = {EdgeRecord{0, 1, 2, 0, 3, 7}, EdgeRecord{0, 2, 1, 0, -3, 0}, EdgeRecord{0, 1, 3, 0, -3, 0},
               EdgeRecord{0, 3, 1, 0, 0, 0}};
  net.n_record = 4;
  NetStats s = net_stats(net);
  EXPECT_EQ(s.total_capacity, (std::vector<long long>{3, 3, 0}));
  EXPECT_EQ(s.total_spare_lines, (std::vector<long long>{-1, 0, -1}));
  EXPECT_EQ(s.total_cap, 7);
  EXPECT_EQ(s.min_spare, -3);
}

TEST(CapsweepNetStats, NoRecordsKeepTheStartValues) {
  Netdata net;
  net.n_node = 2;
  const std::string text = report(net);
  EXPECT_NE(text.find("Maximum capacity link -- -1000.\nMinimum capacity link -- 1000000.\n"
                      "Maximum spare link -- -1000.\nMinimum spare link -- 1000000.\n"),
            std::string::npos);
  EXPECT_NE(text.find("Ave links per node (ie n_edge / n_node) -- 0.000000 \n"), std::string::npos);
  EXPECT_NE(text.find("nan"), std::string::npos);
  EXPECT_TRUE(text.ends_with("  1 \t   0       0\n  2 \t   0       0\n")) << text;
}

}  // namespace
