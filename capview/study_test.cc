#include "study.h"

#include <gtest/gtest.h>

#include <string>

#include "csv.h"
#include "summary.h"

using studyfiles::Netdata;
using studyfiles::NodeList;
using studyfiles::ResultRow;
using studyfiles::read_netdata;
using studyfiles::read_node_list;

namespace capview {

namespace {

// Five nodes, six spans in a bidirectional table. Span D-A carries no
// working capacity and span E-A has no spare around E: both have nothing to
// restore, and capsweep -s writes no row for them.
const char* const kNodes = "t\n1 A 0 0\n2 B 0 10\n3 C 10 10\n4 D 10 0\n5 E -5 -5\n";
const char* const kNet =
    "1 5 12\n"
    "1 1 2 1 10 10\n2 2 1 1 10 10\n"
    "3 2 3 1 10 20\n4 3 2 1 10 20\n"
    "5 3 4 1 10 5\n6 4 3 1 10 5\n"
    "7 4 1 1 10 0\n8 1 4 1 10 0\n"
    "9 1 3 1 10 40\n10 3 1 1 10 40\n"
    "11 5 1 1 0 5\n12 1 5 1 0 5\n";

ResultRow make_row(int line, const char* from, const char* to, int working, bool feasible, int restored) {
  ResultRow row;
  row.line = line;
  row.from = from;
  row.to = to;
  row.working = working;
  row.feasible = feasible;
  row.restored = restored;
  return row;
}

const ResultRow kAB = make_row(4, "A", "B", 10, true, 10), kBC = make_row(5, "B", "C", 20, true, 5),
                kCD = make_row(6, "C", "D", 5, false, 0), kDA = make_row(7, "D", "A", 0, false, 0),
                kAC = make_row(8, "A", "C", 40, true, 20), kEA = make_row(9, "E", "A", 5, false, 0);
const StudyFiles kFiles{"nodes.txt", "net.dat", "net.out"};

class StudyTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(read_node_list(kNodes, kFiles.nodes, nodes));
    ASSERT_FALSE(read_netdata(kNet, kFiles.netdata, net));
  }
  std::string match(const std::vector<ResultRow>& rows) { return match_results(nodes, net, rows, kFiles, spans); }

  NodeList nodes;
  Netdata net;
  std::vector<SpanResult> spans;
};

}  // namespace

TEST_F(StudyTest, DemandBoundsLeaveOutTheCutRecordAndItsTwin) {
  std::vector<Cut> cuts = cuts_of(net);
  ASSERT_EQ(cuts.size(), 6u);
  EXPECT_EQ(cuts[0].record, 1);
  EXPECT_EQ(cuts[5].record, 11);
  long long expected[] = {10, 10, 5, 0, 20, 0};  // B-C: 10 spare leaves B; A-C: 20 leaves A
  for (std::size_t i = 0; i < cuts.size(); ++i) EXPECT_EQ(cuts[i].demand_bound, expected[i]) << "cut " << i;
  net.bidirectional = false;  // every record is a span of its own
  EXPECT_EQ(cuts_of(net).size(), 12u);
}

TEST_F(StudyTest, RowsWithAndWithoutSilenceGiveTheSameStudy) {
  ASSERT_EQ(match({kAB, kBC, kCD, kDA, kAC, kEA}), "");
  std::vector<SpanResult> plain = spans;
  ASSERT_EQ(match({kAB, kBC, kCD, kAC}), "");  // -s: no rows for D-A and E-A
  ASSERT_EQ(spans.size(), plain.size());
  EXPECT_EQ(csv_text(spans), csv_text(plain));
  EXPECT_FALSE(spans[3].has_row);
  EXPECT_TRUE(plain[3].has_row);
  EXPECT_EQ(spans[4].span, 5);
  EXPECT_EQ(spans[4].from_node, 1);
  EXPECT_EQ(spans[4].to_node, 3);
  EXPECT_EQ(spans[4].restored, 20);
}

TEST_F(StudyTest, RefusesResultsOfAnotherNetworkNamingTheRow) {
  EXPECT_EQ(match({kAB, kCD}), "net.out:6: the row names C-D, but span 2 of net.dat joins B-C");
  ResultRow wider = kBC;
  wider.working = 25;
  EXPECT_EQ(match({kAB, wider}), "net.out:5: the row shows working capacity 25, but span 2 (B-C) of net.dat has 20");
  EXPECT_EQ(match({kAB, kBC, kCD, kDA, kAC, kEA, make_row(10, "A", "B", 10, true, 10)}),
            "net.out:10: a row beyond the 6 spans cut in net.dat");
  EXPECT_EQ(match({kAB, kBC}),
            "net.out: no row for span 3 (C-D), which had 5 to restore: the results table ends early");
  nodes.nodes.pop_back();
  EXPECT_EQ(match({}), "net.dat:12: node 5 has no line in nodes.txt");
}

TEST_F(StudyTest, SummaryFiguresOfTheExample) {
  ASSERT_EQ(match({kAB, kBC, kCD, kAC}), "");
  Summary s = summarize(spans);
  // Restored 10 + 5 + 0 + 0 + 20 + 0 = 35 of 10 + 20 + 5 + 0 + 40 + 5 = 80.
  EXPECT_EQ(s.working_total, 80);
  EXPECT_EQ(s.restored_total, 35);
  EXPECT_DOUBLE_EQ(network_restorability(s), 43.75);
  EXPECT_EQ(s.fully, 1);
  EXPECT_EQ(s.partly, 2);
  EXPECT_EQ(s.none, 2);
  EXPECT_EQ(s.idle, 1);
  EXPECT_EQ(s.histogram, (std::array<int, 10>{2, 0, 1, 0, 0, 1, 0, 0, 0, 1}));
  // 0% twice (equal working: cut order), then 25%, then 50%; A-B is whole.
  EXPECT_EQ(s.weakest, (std::vector<std::size_t>{2, 5, 1, 4}));

  std::string text = summary_text(s, spans, kFiles);
  EXPECT_NE(text.find("  network restorability      43.75%  (35 of 80 working channels restored)\n"),
            std::string::npos);
  EXPECT_NE(text.find("     0-10% |######################################## 2\n"), std::string::npos);
  EXPECT_NE(text.find("    20-30% |####################                     1\n"), std::string::npos);
  EXPECT_NE(text.find("      2  B               C                     20         5   25.00%\n"), std::string::npos);
}

TEST(Summary, HistogramEdgesAndTheTenWeakest) {
  std::vector<SpanResult> spans;
  for (int i = 0; i < 12; ++i) {
    SpanResult span;
    span.span = i + 1;
    span.working = 30;
    span.restored = i * 2;  // 0, 2, ..., 22 of 30
    spans.push_back(span);
  }
  spans[11].restored = 3;   // exactly 10%: the 10-20 bucket
  spans[10].restored = 30;  // restored in full: the last bucket, not among the weakest
  Summary s = summarize(spans);
  EXPECT_EQ(s.histogram[1], 2);  // 3 and 4 of 30: exactly 10% and 13.3%
  EXPECT_EQ(s.histogram[2], 2);  // 6 and 8 of 30: exactly 20% and 26.7%
  EXPECT_EQ(s.weakest.size(), 10u);
  EXPECT_EQ(s.weakest[0], 0u);
  EXPECT_EQ(s.weakest[2], 11u);
  EXPECT_EQ(s.histogram[9], 1);
  Summary empty = summarize({});
  EXPECT_EQ(network_restorability(empty), 0.0);
  EXPECT_NE(summary_text(empty, {}, kFiles).find("no working capacity was cut"), std::string::npos);
}

TEST(Csv, QuotesNamesThatNeedItAndKeepsTwoDecimals) {
  SpanResult span;
  span.span = 7;
  span.from = "Paris,Nord";
  span.to = "Say\"Hi\"";
  span.working = 3;
  span.restored = 1;
  span.feasible = false;
  EXPECT_EQ(csv_text({span}),
            "span,from,to,working,restored,percent,feasible\n7,\"Paris,Nord\",\"Say\"\"Hi\"\"\",3,1,33.33,N\n");
}

}  // namespace capview
