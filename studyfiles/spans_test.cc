// The spans of a bidirectional netdata file, and what is refused, with the
// line of the record at fault.
#include "spans.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using studyfiles::Netdata;
using studyfiles::NodeList;
using studyfiles::Span;
using studyfiles::SpanRules;
using studyfiles::read_netdata;
using studyfiles::spans_of_netdata;

namespace {

Netdata read(const std::string& text) {
  Netdata net;
  const Error error = read_netdata(text, "net.dat", net);
  EXPECT_FALSE(error) << error.text();
  return net;
}

const NodeList kThree{{{"A"}, {"B"}, {"C"}}};

SpanRules rules(bool cost_read, bool spare_read) {
  SpanRules r;
  r.program_does = "tool uses spans";
  r.cost_read = cost_read;
  r.cost_as = ", read as its length";
  r.spare_read = spare_read;
  return r;
}

Error spans_of(const std::string& text, const SpanRules& r, std::vector<Span>& out) {
  return spans_of_netdata(read(text), "net.dat", kThree, "nodes.txt", r, out);
}

TEST(Spans, OnePerPairOfRecordsWithWhatIsRead) {
  std::vector<Span> spans;
  ASSERT_FALSE(spans_of("1\n3\n4\n1 1 2 5 2 7\n2 2 1 5 2 7\n3 2 3 9 0 4\n4 3 2 9 0 4\n", rules(true, true), spans));
  ASSERT_EQ(spans.size(), 2u);
  EXPECT_EQ(spans[1].from, 2);
  EXPECT_EQ(spans[1].to, 3);
  EXPECT_EQ(spans[1].cost, 9);
  EXPECT_EQ(spans[1].working, 4);
  EXPECT_EQ(spans[0].spare, 2);
  EXPECT_EQ(spans[1].line, 6);
  // A field that is not read is neither checked nor passed on.
  ASSERT_FALSE(spans_of("1\n3\n2\n1 1 2 -5 -2 7\n2 2 1 4 3 7\n", rules(false, false), spans));
  EXPECT_EQ(spans[0].cost, 0);
  EXPECT_EQ(spans[0].spare, 0);
  EXPECT_EQ(spans[0].working, 7);
}

TEST(Spans, FaultsAreRefusedWithTheLineOfTheRecord) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"0\n3\n2\n1 1 2 5 2 7\n2 2 1 5 2 7\n",
       "net.dat:1: not a bidirectional netdata file: tool uses spans, records in pairs"},
      {"1\n4\n2\n1 1 2 5 2 7\n2 2 1 5 2 7\n", "net.dat:2: 4 nodes, but the node list nodes.txt has 3"},
      {"1\n3\n3\n1 1 2 5 2 7\n2 2 1 5 2 7\n3 2 3 1 1 1\n",
       "net.dat:6: 3 records: a bidirectional file holds two per span"},
      {"1\n3\n2\n1 1 2 5 2 7\n2 2 3 5 2 7\n", "net.dat:5: record 2 runs 2-3, not back along record 1 (1-2)"},
      {"1\n3\n2\n1 2 2 5 2 7\n2 2 2 5 2 7\n", "net.dat:4: record 1 joins node 2 to itself"},
      {"1\n3\n2\n1 1 2 5 2 7\n2 2 1 5 2 6\n",
       "net.dat:5: record 2 has working capacity 6, record 1 7: the two directions of a span must agree"},
      {"1\n3\n2\n1 1 2 5 2 7\n2 2 1 4 2 7\n", "net.dat:5: record 2 has cost 4, record 1 5: the two directions of a span must agree"},
      {"1\n3\n2\n1 1 2 5 2 7\n2 2 1 5 3 7\n", "net.dat:5: record 2 has spare 3, record 1 2: the two directions of a span must agree"},
      {"1\n3\n2\n1 1 2 5 2 7\n2 2 1 5 2 -7\n", "net.dat:5: record 2 has a negative working capacity, -7"},
      {"1\n3\n2\n1 1 2 5 -2 7\n2 2 1 5 -2 7\n", "net.dat:4: record 1 has a negative spare, -2"},
      {"1\n3\n2\n1 1 2 -5 2 7\n2 2 1 -5 2 7\n", "net.dat:4: record 1 has a negative cost, -5, read as its length"},
  };
  for (const auto& c : cases) {
    std::vector<Span> spans;
    EXPECT_EQ(spans_of(c.text, rules(true, true), spans).text(), c.message) << c.text;
  }
}

}  // namespace
