#include "cut_span.h"

#include <gtest/gtest.h>

#include "test_support.h"

using studyfiles::Answer;
using studyfiles::EdgeRecord;
using studyfiles::Netdata;

namespace {

Netdata network(int bidirectional, std::vector<EdgeRecord> edges) {
  Netdata net;
  net.bidirectional = bidirectional;
  net.n_node = 5;
  net.n_record = static_cast<int>(edges.size());
  net.edges = std::move(edges);
  return net;
}

TEST(CapsweepDemandBound, SpareAroundTheEndsLimitsTheDemand) {
  // Capacity 10, 4 spare leaving node 1 and 6 entering node 2.
  Netdata net = network(1, {EdgeRecord{0, 1, 2, 1, 0, 10}, EdgeRecord{0, 2, 1, 1, 0, 10}, EdgeRecord{0, 1, 3, 1, 4, 0},
                            EdgeRecord{0, 3, 1, 1, 4, 0}, EdgeRecord{0, 3, 2, 1, 6, 0}, EdgeRecord{0, 2, 3, 1, 6, 0}});
  DemandBound b = demand_bound(net, 1);
  EXPECT_EQ(b.s_out, 4);
  EXPECT_EQ(b.s_in, 6);
  EXPECT_EQ(b.demand, 4);
  // Cutting 1-3 (capacity 0): nothing to restore.
  EXPECT_EQ(demand_bound(net, 3).demand, 0);
}

TEST(CapsweepDemandBound, CutRecordAndTwinNeverCountButParallelRecordsDo) {
  Netdata net = network(1, {EdgeRecord{0, 1, 2, 1, 50, 10}, EdgeRecord{0, 2, 1, 1, 50, 10},
                            EdgeRecord{0, 1, 2, 1, 3, 0}, EdgeRecord{0, 2, 1, 1, 3, 0}});
  DemandBound b = demand_bound(net, 1);
  EXPECT_EQ(b.s_out, 3);
  EXPECT_EQ(b.s_in, 3);
  EXPECT_EQ(b.demand, 3);
  // Without the flag the next record is no twin.
  net.bidirectional = 0;
  b = demand_bound(net, 1);
  EXPECT_EQ(b.s_out, 3);
  EXPECT_EQ(b.s_in, 3);
  b = demand_bound(net, 2);  // record 4 runs from 2 to 1 beside it
  EXPECT_EQ(b.s_out, 3);
  EXPECT_EQ(b.s_in, 3);
}

TEST(CapsweepDemandBound, EnoughSpareGivesTheCapacityAndNegativeSpareANegativeBound) {
  Netdata net = network(0, {EdgeRecord{0, 1, 2, 1, 0, 5}, EdgeRecord{0, 1, 3, 1, 9, 0}, EdgeRecord{0, 3, 2, 1, 8, 0}});
  EXPECT_EQ(demand_bound(net, 1).demand, 5);
  net.edges[1].spare = -2;
  EXPECT_EQ(demand_bound(net, 1).demand, -2);
}

TEST(CapsweepResultsTable, HeaderAndRows) {
  MemoryFile results;
  write_results_header(results.get());
  write_row(results.get(), Row{2, "NY", "CHICAGO", 10, true, 6, Answer{1, 0.25, 0.125, 6.0}, 60.0});
  write_row(results.get(), Row{5, "A", "B", 0, false, 0, Answer{}, 0.0});
  EXPECT_EQ(results.text(),
            "      Start  End   To             Poss     Elapsed     CPU                %\n"
            "Edge  Node   Node  Restore  Feas  Restore   Time       Time     Cost  Restored\n"
            "----  ----   ----  -------  ----  -------  -------     ----     ----  --------\n"
            "   2    NY    CHICAGO      10    Y        6     0.250000   0.125000     6     60.00%\n"
            "   5     A      B       0    N        0     0.000000   0.000000     0      0.00%\n");
}

}  // namespace
