#include "span_list.h"

#include <gtest/gtest.h>

#include <memory>

namespace netrestore {

namespace {

const std::string kTitles = "t1\nt2\nt3\nt4\nt5\n";

TEST(SpanList, LinesAfterTheFiveTitleLinesNumberedFromSix) {
  std::vector<SpanLine> lines = parse_span_list(kTitles + "A B 0 5 2 10.5\n\nA B 0 5\nA\tB 7 -1 3 4");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].line_number, 6);
  EXPECT_TRUE(lines[0].complete);
  EXPECT_EQ(lines[0].b, "B");
  EXPECT_EQ(lines[0].working, 5);
  EXPECT_EQ(lines[0].spare, 2);
  EXPECT_FLOAT_EQ(lines[0].miles, 10.5f);
  EXPECT_FALSE(lines[1].complete);
  EXPECT_FALSE(lines[2].complete);
  EXPECT_TRUE(lines[3].complete);
  EXPECT_EQ(lines[3].working, -1);
  EXPECT_TRUE(parse_span_list("t1\nt2\nA B 0 1 1 1\n").empty());
}

SpanLine span(std::string a, std::string b, int working, int spare, double miles) {
  SpanLine line;
  line.a = std::move(a);
  line.b = std::move(b);
  line.working = working;
  line.spare = spare;
  line.miles = miles;
  return line;
}

TEST(SpanList, WrittenSpansReadBackAsWritten) {
  const std::vector<SpanLine> spans = {span("A", "B", 5, 2, 10.5), span("New_York", "C", 0, 0, 0.0),
                                       span("C", "A", 2147483647, 7, 1234.25)};
  const std::string text = format_span_list("spans of t", spans);
  EXPECT_EQ(text.substr(0, text.find("A B")),
            "spans of t\none line per span: end, end, a number not used, working channels, spare channels, miles\n"
            "\n\na b unused working spare miles\n");
  EXPECT_NE(text.find("\nA B 0 5 2 10.500000\nNew_York C 0 0 0 0.000000\nC A 0 2147483647 7 1234.250000\n"),
            std::string::npos);

  const std::vector<SpanLine> read = parse_span_list(text);
  ASSERT_EQ(read.size(), spans.size());
  for (std::size_t k = 0; k < spans.size(); ++k) {
    EXPECT_EQ(read[k].line_number, kSpanListTitleLines + 1 + static_cast<int>(k));
    EXPECT_TRUE(read[k].complete);
    EXPECT_EQ(read[k].a, spans[k].a);
    EXPECT_EQ(read[k].b, spans[k].b);
    EXPECT_EQ(read[k].working, spans[k].working);
    EXPECT_EQ(read[k].spare, spans[k].spare);
    EXPECT_EQ(read[k].miles, spans[k].miles);
  }
}

TEST(SpanList, MilesAreWrittenInFullAndReadToFloatPrecision) {
  const std::string text = format_span_list("t", {span("A", "B", 1, 1, 1.0 / 3.0)});
  EXPECT_NE(text.find("A B 0 1 1 0.333333\n"), std::string::npos);
  const std::vector<SpanLine> read = parse_span_list(text);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].miles, static_cast<double>(0.333333f));
}

class CountSpans : public testing::Test {
 protected:
  void SetUp() override {
    sn_ = std::make_unique<SpanNetwork>();
    const char* names[] = {"", "A", "B", "C"};
    for (int i = 1; i <= 3; ++i) sn_->net.node[i].name = names[i];
    sn_->net.noOfNodes = 3;
  }
  void count(const std::string& lines) {
    testing::internal::CaptureStdout();
    EXPECT_FALSE(count_spans(*sn_, parse_span_list(kTitles + lines), "s.txt"));
    printed_ = testing::internal::GetCapturedStdout();
  }
  std::unique_ptr<SpanNetwork> sn_;
  std::string printed_;
};

TEST_F(CountSpans, ASpanNamedAgainTakesTheLaterValuesEverywhere) {
  count("A B 0 5 2 10.5\nB C 0 3 1 4.25\nB A 0 2 1 7.0\n");
  const Network& net = sn_->net;
  EXPECT_EQ(net.W.at(1, 2), 2);
  EXPECT_EQ(net.S.at(1, 2), 1);
  EXPECT_FLOAT_EQ(sn_->M.at(1, 2), 7.0f);
  EXPECT_EQ(net.I[1], 2);
  EXPECT_EQ(net.I[2], 5);
  EXPECT_EQ(net.I[3], 3);
  EXPECT_EQ(net.node[1].spans.size(), 1u);
  EXPECT_EQ(path_count(net), 5);
  EXPECT_EQ(sn_->noOfSpans, 3);
}

TEST_F(CountSpans, SelfLoopsAndShortLinesAddNothing) {
  count("A A 0 1 1 1\n\nB C 0 4\nB C 0 4 0 1\n");
  EXPECT_EQ(sn_->net.I[1], 0);
  EXPECT_EQ(sn_->net.W.at(2, 3), 4);
  EXPECT_EQ(sn_->noOfSpans, 2);
  EXPECT_EQ(printed_,
            "Error: Duplicated nodeID, 1, should not exist in a path!\n   in line 6: A A 0 1 1 1\n\n"
            "s.txt:7: expected two node names, three whole numbers and a length; line skipped\n"
            "s.txt:8: expected two node names, three whole numbers and a length; line skipped\n");
}

TEST_F(CountSpans, PathCountLeavesOutSpansNotWrittenUnderALowerEnd) {
  sn_->net.node[5].name = "E";  // beyond noOfNodes
  sn_->net.node[4].name = "D";
  count("A X 0 3 0 1\nD E 0 4 0 1\nC E 0 2 0 1\nA B 0 -2 0 1\n");
  EXPECT_EQ(sn_->net.W.at(0, 1), 3);
  EXPECT_EQ(path_count(sn_->net), 2);  // only C-E is written: node 0 and node 4 have no block
}

}  // namespace

}  // namespace netrestore
