#include "netdesc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* const kTwoNodes =
    "2 V_H\n"
    "A 1 0.5 3 10 20\n"
    "    2 1 2 5\n"
    "B 1 1.25 0 30.5 -4\n"
    "    1 1 2 5\n";

// Text written to a FILE* by a writer.
class Captured {
 public:
  Captured() : f_(open_memstream(&buf_, &size_)) {}
  ~Captured() {
    if (f_) std::fclose(f_);
    std::free(buf_);
  }
  std::FILE* file() { return f_; }
  std::string text() {
    std::fflush(f_);
    return std::string(buf_, size_);
  }

 private:
  char* buf_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* f_;
};

std::string v1_error(const std::string& text) { return read_net_v1(text, "net.txt").error.text(); }
std::string v2_error(const std::string& text) { return read_net_v2(text, "net.txt").error.text(); }

}  // namespace

TEST(ReadNetV1, ReadsNodesAndPortsWithSimAsNodeZero) {
  const net_read r = read_net_v1(kTwoNodes, "net.txt");
  ASSERT_EQ(r.error.text(), "");
  const net_description& d = r.description;
  EXPECT_EQ(d.netsize, 2);
  EXPECT_EQ(d.keyword, "V_H");
  ASSERT_EQ(d.net.size(), 3u);
  EXPECT_EQ(recall_list(d.net, 0)->name, "SIM");
  EXPECT_EQ(recall_list(d.net, 0)->ports.size(), 0u);
  const node_entry& b = *recall_list(d.net, 2);
  EXPECT_EQ(b.name, "B");
  EXPECT_EQ(b.number, 2);
  EXPECT_FLOAT_EQ(b.delay, 1.25f);
  EXPECT_EQ(b.repeat_limit, 0);
  EXPECT_FLOAT_EQ(b.first_coordinate, 30.5f);
  EXPECT_FLOAT_EQ(b.second_coordinate, -4.0f);
  ASSERT_EQ(b.ports.size(), 1u);
  const port_entry& p = *recall_list(b.ports, 1);
  EXPECT_EQ(p.other_end, 1);
  EXPECT_EQ(p.working, 2);
  EXPECT_EQ(p.spare, 5);
}

TEST(ReadNetV1, ExtraFieldsBlanksAndWindowsLineEndsAreIgnored) {
  const net_read r = read_net_v1(
      "2 V_H \r\n"
      "\t A\t1  0.5 3 10 20 extra words\r\n"
      "  2 1 2 5 9 9\r\n"
      "B 0 1 0 3 4\r\n",
      "net.txt");
  ASSERT_EQ(r.error.text(), "");
  EXPECT_EQ(r.description.keyword, "V_H");
  EXPECT_EQ(recall_list(r.description.net, 1)->name, "A");
  EXPECT_EQ(recall_list(r.description.net, 1)->ports.at(0).spare, 5);
  EXPECT_FLOAT_EQ(recall_list(r.description.net, 2)->second_coordinate, 4.0f);
}

TEST(ReadNetV1, NodeLimitStopsAfterTheFirstLine) {
  std::string text = "128 V_H\n";
  for (int n = 1; n <= 128; ++n) text += "N" + std::to_string(n) + " 0 0 0 0 0\n";
  const net_read at_limit = read_net_v1(text, "net.txt");
  EXPECT_EQ(at_limit.error.text(), "");
  EXPECT_FALSE(at_limit.over_limit);
  EXPECT_EQ(at_limit.description.net.size(), 129u);
  const net_read over = read_net_v1("129 V_H\ngarbage\n", "net.txt");
  EXPECT_EQ(over.error.text(), "");
  EXPECT_TRUE(over.over_limit);
  EXPECT_EQ(over.description.netsize, 129);
}

TEST(ReadNetV1, RefusesABadFirstLine) {
  EXPECT_EQ(v1_error(""), "net.txt:1: expected the node count and the type keyword");
  EXPECT_EQ(v1_error("V_H 2\n"), "net.txt:1: expected the node count and the type keyword");
  EXPECT_EQ(v1_error("2\nV_H\n"), "net.txt:1: expected the node count and the type keyword");
  EXPECT_EQ(v1_error("-1 V_H\n"), "net.txt:1: the node count -1 is out of range");
}

TEST(ReadNetV2, TheNodeCountReadsAsLldReadsItAndIsNamedAsTyped) {
  EXPECT_EQ(v2_error("  +0005000000000 V_H2\n"), "net.txt:1: the node count +0005000000000 is out of range");
  EXPECT_EQ(v2_error("99999999999999999999 V_H2\n"), "net.txt:1: the node count 99999999999999999999 is out of range");
  EXPECT_EQ(v2_error("-99999999999999999999x V_H2\n"),
            "net.txt:1: the node count -99999999999999999999 is out of range");
  const net_read glued = read_net_v2("0V_H2 more\n", "net.txt");
  EXPECT_EQ(glued.error.text(), "");
  EXPECT_EQ(glued.description.netsize, 0);
  EXPECT_EQ(glued.description.keyword, "V_H2");
  EXPECT_EQ(v2_error("+ 1 V_H2\n"), "net.txt:1: expected the node count and the type keyword");
}

TEST(ReadNetV1, RefusesMissingAndNonNumericFieldsNamingLineAndNode) {
  EXPECT_EQ(v1_error("1 V_H\nA 0 0.5 3 10\n"), "net.txt:2: node 1 (A): field 6 (second coordinate) is missing");
  EXPECT_EQ(v1_error("1 V_H\nA two 0.5 3 10 20\n"),
            "net.txt:2: node 1 (A): field 2 (port count) is not a whole number: \"two\"");
  EXPECT_EQ(v1_error("1 V_H\nA 0 x 3 10 20\n"),
            "net.txt:2: node 1 (A): field 3 (message processing delay) is not a number: \"x\"");
  EXPECT_EQ(v1_error("1 V_H\n  \n"), "net.txt:2: node 1: expected its node line, found an empty line");
  EXPECT_EQ(v1_error(std::string(kTwoNodes).replace(std::string(kTwoNodes).find("2 1 2 5"), 7, "2 1 2")),
            "net.txt:3: node 1 (A), port 1: field 4 (spare channels) is missing");
  // A number followed by other characters reads as "%d" reads it.
  EXPECT_EQ(v1_error("1 V_H\nA 0 0.5 3x 10 20\n"), "");
}

TEST(ReadNetV1, RefusesAShortFile) {
  EXPECT_EQ(v1_error("3 V_H\nA 0 0 0 0 0\n"), "net.txt:3: node 2: expected its node line, found the end of the file");
  EXPECT_EQ(v1_error("2 V_H\nA 2 0 0 0 0\n  2 1 1 1\n"),
            "net.txt:4: node 1 (A): expected port line 2 of 2, found the end of the file");
}

TEST(ReadNetV1, PortsMustNameANodeOfTheFile) {
  EXPECT_EQ(v1_error("1 V_H\nA 1 0 0 0 0\n  0 1 1 1\n"), "");  // SIM
  EXPECT_EQ(v1_error("1 V_H\nA 1 0 0 0 0\n  2 1 1 1\n"), "net.txt:3: node 1 (A), port 1: other end 2 names no node");
  EXPECT_EQ(v1_error("1 V_H\nA 1 0 0 0 0\n  -1 1 1 1\n"),
            "net.txt:3: node 1 (A), port 1: other end -1 names no node");
}

TEST(ReadNetV2, SpanLengthTypesNeedTheFifthField) {
  const std::string header = "1 V_H2wSpanMiles trailing words\n";
  const std::string node = "A 1 0 0 1 2 0 0 0 0 1\n";
  const net_read r = read_net_v2(header + node + "  0 1 4 2 12.5\n", "net.dat");
  ASSERT_EQ(r.error.text(), "");
  EXPECT_FLOAT_EQ(recall_list(r.description.net, 1)->ports.at(0).span_length, 12.5f);
  EXPECT_EQ(v2_error(header + node + "  0 1 4 2\n"),
            "net.txt:3: node 1 (A), port 1: field 5 (span length) is missing\n"
            "Error: the net file does not have link distance field");
  EXPECT_EQ(v2_error("1 V_H2\n" + node + "  0 1 4 2\n"), "");
  const net_read unknown = read_net_v2("1 NEW_TYPE\n" + node + "  0 1 4 2\n", "net.txt");
  EXPECT_EQ(unknown.error.text(), "");
  EXPECT_EQ(unknown.notes, (std::vector<std::string>{
                               "unrecongized file type=NEW_TYPE\n"
                               " This program recognizes V_H2, L_L2, V_H2wSpanMiles, and L_L2wSpanKms."}));
  EXPECT_TRUE(read_net_v2("1 V_H2\n" + node, "net.txt").notes.empty());
  EXPECT_TRUE(read_net_v1("1 V_H\nA 0 0 0 0 0\n", "net.txt").notes.empty());
}

TEST(ReadNetV2, FarEndsAboveTheNodeCountAreKeptButNegativeOnesRefused) {
  const std::string head = "1 V_H2\nA 1 0 0 1 2\n";
  EXPECT_EQ(v2_error(head + "  7 1 4 2\n"), "");
  EXPECT_EQ(v2_error(head + "  -3 1 4 2\n"), "net.txt:3: node 1 (A), port 1: other end -3 names no node");
}

TEST(Writers, WriteTheVersion2LinesAndTheTopologyCompanion) {
  const net_read r = read_net_v1(kTwoNodes, "net.txt");
  Captured desc, top;
  write_first_lines(desc.file(), top.file(), r.description);
  write_node_block(desc.file(), top.file(), r.description, *recall_list(r.description.net, 2));
  write_path_count(desc.file(), top.file(), 2);
  write_path_line(desc.file(), top.file(), 1, "B", "A");
  EXPECT_EQ(desc.text(),
            "2 V_H2\n"
            "B 1 1.250000 0 30.500000 -4.000000 2 5 2 9 2\n"
            "    1 1 2 5\n"
            "2\n"
            "1 B A\n");
  EXPECT_EQ(top.text(),
            "2 V_H_top_2\n"
            "B 1 1.250000 0 30.500000 -4.000000 2 5 2 9 2\n"
            "    A 1 2 5\n"
            "2\n"
            "1 B A\n");
}

TEST(Writers, TotalsBeyondIntAreWrittenWhole) {
  const net_read r = read_net_v1("1 V_H\nA 2 0 0 0 0\n 0 1 2000000000 0\n 0 1 2000000000 1\n", "n");
  ASSERT_EQ(r.error.text(), "");
  const node_totals t = totals_of(*recall_list(r.description.net, 1));
  EXPECT_EQ(t.working, 4000000000LL);
  EXPECT_EQ(t.ports, 8000000001LL);
}

namespace {

const char* const kTwoNodesV2 =
    "2 V_H2\n"
    "A 1 0.5 3 10 20 2 5 2 9 1\n"
    "    2 1 2 5\n"
    "B 1 1.25 0 30.5 -4 2 5 2 9 2\n"
    "    1 1 2 5\n";

TEST(ReadNetAny, VersionTwoKeywordsReadThePathSection) {
  const net_read r = read_net_any(std::string(kTwoNodesV2) + "\n2\n1 A B\n2 B X A\n", "p.rst");
  ASSERT_FALSE(r.error) << r.error.text();
  ASSERT_EQ(r.description.paths.size(), 2u);
  EXPECT_EQ(r.description.paths[0].line, 8);
  EXPECT_EQ(r.description.paths[1].number, 2);
  EXPECT_EQ(r.description.paths[1].names, (std::vector<std::string>{"B", "X", "A"}));
  // A file that ends after the node blocks has no paths.
  const net_read none = read_net_any(kTwoNodesV2, "p.rst");
  ASSERT_FALSE(none.error) << none.error.text();
  EXPECT_TRUE(none.description.paths.empty());
}

TEST(ReadNetAny, RefusesAPathSectionThatDoesNotHoldWhatItCounts) {
  const std::string head = kTwoNodesV2;
  EXPECT_EQ(read_net_any(head + "two\n", "p.rst").error.text(), "p.rst:6: expected the path count, found \"two\"");
  EXPECT_EQ(read_net_any(head + "2\n1 A B\n", "p.rst").error.text(),
            "p.rst:8: expected path line 2 of 2, found the end of the file");
  EXPECT_EQ(read_net_any(head + "1\n1 A\n", "p.rst").error.text(), "p.rst:7: path 1: names fewer than two nodes");
  EXPECT_EQ(read_net_any(head + "1\nx A B\n", "p.rst").error.text(),
            "p.rst:7: path line 1: expected its running number, found \"x\"");
}

TEST(ReadNetAny, AnyOtherKeywordReadsAsVersionOneWithoutTheNodeLimit) {
  std::string text = "130 ring\n";
  for (int n = 1; n <= 130; ++n) text += "N" + std::to_string(n) + " 0 1 0 0 0\n";
  const net_read r = read_net_any(text + "trailing words are not read\n", "big.net");
  ASSERT_FALSE(r.error) << r.error.text();
  EXPECT_FALSE(r.over_limit);
  EXPECT_EQ(r.description.netsize, 130);
  EXPECT_TRUE(r.description.paths.empty());
}

}  // namespace
