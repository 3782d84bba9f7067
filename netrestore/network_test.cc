#include "network.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace netrestore {

namespace {

Network three_nodes() {
  Network net;
  const char* names[] = {"", "A", "B", "C"};
  for (int i = 1; i <= 3; ++i) {
    net.node[i].number = i;
    net.node[i].name = names[i];
  }
  net.noOfNodes = net.largestNodeID = 3;
  return net;
}

TEST(FindID, ExactNameOfTheFirstMatchingRecordOrZero) {
  Network net = three_nodes();
  net.node[7].name = "A";  // a later record of the same name is never reached
  net.node[9].name = "Z";  // beyond noOfNodes, still looked at
  EXPECT_EQ(net.findID("A"), 1);
  EXPECT_EQ(net.findID("C"), 3);
  EXPECT_EQ(net.findID("Z"), 9);
  EXPECT_EQ(net.findID("a"), 0);
  EXPECT_EQ(net.findID("AB"), 0);
  EXPECT_EQ(net.findID(""), 0);  // empty records never match
}

TEST(AddSpan, RecordsEachSpanOnceAtBothEndsInTheOrderMet) {
  Network net = three_nodes();
  EXPECT_FALSE(net.AddSpan(2, 3));
  EXPECT_FALSE(net.AddSpan(1, 2));
  EXPECT_FALSE(net.AddSpan(1, 2));
  ASSERT_EQ(net.node[2].spans.size(), 2u);
  EXPECT_EQ(net.node[2].spans[0].higher, 3);
  EXPECT_EQ(net.node[2].spans[1].lower, 1);
  EXPECT_EQ(net.node[1].spans.size(), 1u);
  EXPECT_TRUE(net.ExistSpanEntry(3, 2, 3));
  EXPECT_FALSE(net.ExistSpanEntry(3, 1, 3));
  EXPECT_FALSE(net.ExistSpanEntry(1, 2, 1));  // both numbers compared, in order
}

TEST(AddSpan, RefusesAFortyFirstSpanAndRecordsNothingOfIt) {
  Network net;
  for (int b = 2; b <= 41; ++b) ASSERT_FALSE(net.AddSpan(1, b));
  EXPECT_FALSE(net.AddSpan(1, 41));  // already there: no room needed
  EXPECT_EQ(net.AddSpan(1, 42), std::optional<int>(1));
  EXPECT_EQ(net.AddSpan(42, 43), std::nullopt);
  EXPECT_EQ(net.node[1].spans.size(), 40u);
  EXPECT_TRUE(net.node[42].spans.size() == 1u);  // the refused span left no entry at 42
}

TEST(Largest, FirstNodeWinsTiesAndNodesBeyondTheCountAreLeftOut) {
  Network net = three_nodes();
  net.AddSpan(1, 2);
  net.AddSpan(2, 3);
  net.AddSpan(1, 3);
  net.AddSpan(3, 5);  // node 5 has no node line
  net.W.at(1, 2) = 4;
  net.W.at(2, 3) = 4;
  net.W.at(1, 3) = 1;
  net.W.at(3, 5) = 9;
  EXPECT_EQ(find_largest_span(net).nodeWithLargestSpan, 3);
  EXPECT_EQ(find_largest_span(net).largestSpan, 3);
  EXPECT_EQ(find_largest_working(net).nodeWithLargestWorkingChannels, 3);
  EXPECT_EQ(find_largest_working(net).noOfWorkingChannels, 14);
  net.W.at(3, 5) = 3;  // node 2 and 3 now tie at 8: the lower number wins
  EXPECT_EQ(find_largest_working(net).nodeWithLargestWorkingChannels, 2);
}

TEST(Largest, NothingWhenNoNodeHasASpan) {
  Network net = three_nodes();
  EXPECT_EQ(find_largest_span(net).nodeWithLargestSpan, 0);
  EXPECT_EQ(find_largest_working(net).nodeWithLargestWorkingChannels, 0);
}

TEST(SpareChannels, SmallestWholeNumberNotBelowTheDoubleProduct) {
  EXPECT_EQ(spare_channels(3, 0.5), 2);
  EXPECT_EQ(spare_channels(4, 0.5), 2);
  EXPECT_EQ(spare_channels(7, 1.0), 7);
  EXPECT_EQ(spare_channels(7, 0.0), 0);
  EXPECT_EQ(spare_channels(50, 1.1), 56);  // 50 * 1.1 lies just above 55
  EXPECT_EQ(spare_channels(10, 1.1), 11);  // exactly 11
  EXPECT_EQ(spare_channels(3, -0.5), -1);
}

TEST(SpareChannels, NoCountForRatiosThatGiveNoWholeNumber) {
  EXPECT_EQ(spare_channels(1, std::nan("")), std::nullopt);
  EXPECT_EQ(spare_channels(1, std::numeric_limits<double>::infinity()), std::nullopt);
  EXPECT_EQ(spare_channels(2, 1.5e9), std::nullopt);
  EXPECT_EQ(spare_channels(0, 1e300), 0);
}

TEST(NumberFromText, LeadingNumberOrZero) {
  EXPECT_DOUBLE_EQ(number_from_text("123.456"), 123.456);
  EXPECT_DOUBLE_EQ(number_from_text(" 2.5x"), 2.5);
  EXPECT_DOUBLE_EQ(number_from_text("fast"), 0.0);
  EXPECT_DOUBLE_EQ(number_from_text(""), 0.0);
  // As strtod takes them: an exponent, hexadecimal, infinity, a NUL ending the text.
  EXPECT_DOUBLE_EQ(number_from_text("\t1e3 5"), 1000.0);
  EXPECT_DOUBLE_EQ(number_from_text("0x10"), 16.0);
  EXPECT_EQ(number_from_text("-inf"), -HUGE_VAL);
  EXPECT_TRUE(std::isnan(number_from_text("nan")));
  EXPECT_DOUBLE_EQ(number_from_text(std::string("7\0" "8", 3)), 7.0);
}

}  // namespace

}  // namespace netrestore
