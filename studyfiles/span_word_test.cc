// The resolution of a span's "A-B" word on its own, with node names and a
// span lookup of the test's making (as the simulators and the groups file
// give them).
#include "span_word.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace studyfiles {
namespace {

// Nodes 1 "A-B", 2 "C", 3 "7", 4 "D"; spans 1-2 (span 10) and 2-3 (span 11).
const NodeNames kNames = {{"A-B", 1}, {"C", 2}, {"7", 3}, {"D", 4}};
constexpr int kNodes = 4;

int span_of(int x, int y) {
  const std::pair<int, int> p{std::min(x, y), std::max(x, y)};
  if (p == std::pair{1, 2}) return 10;
  if (p == std::pair{2, 3}) return 11;
  return -1;
}

SpanWord find(const std::string& word) { return find_span_word(word, kNames, kNodes, span_of); }

TEST(SpanWordTest, NamesFirstThenNumbersAndEverySplitTried) {
  SpanWord w = find("A-B-C");  // A / B-C names nothing; A-B / C names 1 and 2
  EXPECT_EQ(w.fault, SpanWordFault::none);
  EXPECT_EQ(w.span, 10);
  EXPECT_EQ(w.from, 1);
  EXPECT_EQ(w.to, 2);
  EXPECT_EQ(w.from_word, "A-B");
  EXPECT_EQ(w.to_word, "C");
  w = find("C-7");  // "7" is node 3's name, not a number beyond the node count
  EXPECT_EQ(w.span, 11);
  EXPECT_EQ(w.to, 3);
  w = find("2-3");  // numbers where no name matches
  EXPECT_EQ(w.span, 11);
  EXPECT_EQ(w.from_word, "2");
}

TEST(SpanWordTest, EachFaultTellsWhatIsWrong) {
  EXPECT_EQ(find("AB").fault, SpanWordFault::no_dash);
  EXPECT_EQ(find("A-B-E").fault, SpanWordFault::no_two_nodes);
  EXPECT_EQ(find("C-5").fault, SpanWordFault::no_two_nodes);   // 5 is beyond the node count
  EXPECT_EQ(find("C-C").fault, SpanWordFault::same_node);
  EXPECT_EQ(find("C-D").fault, SpanWordFault::no_span);
  EXPECT_EQ(find("C-D").span, -1);
  // With nodes named A and B-C too, both A / B-C and A-B / C name two nodes.
  NodeNames names = kNames;
  names.emplace("A", 4);
  names.emplace("B-C", 3);
  EXPECT_EQ(find_span_word("A-B-C", names, kNodes, span_of).fault, SpanWordFault::ambiguous);
  EXPECT_EQ(find("-").fault, SpanWordFault::no_two_nodes);
}

}  // namespace
}  // namespace studyfiles
