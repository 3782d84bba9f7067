#include <gtest/gtest.h>

#include <cmath>

#include "tidy.h"

TEST(Names, WordsOfLabels) {
  EXPECT_EQ(word_of("New York"), "New_York");
  EXPECT_EQ(word_of("  --St. John's--  "), "St_John_s");
  EXPECT_EQ(word_of("K\xc3\xb6ln"), "K_ln");
  EXPECT_EQ(word_of("abcdefghijklmnop_qrs"), "abcdefghijklmnop");
  EXPECT_EQ(word_of("abcdefghijklmno qrs"), "abcdefghijklmno");  // no '_' left at the end
  EXPECT_EQ(word_of("\xd0\x9c\xd0\xbe"), "");
}

RawNetwork located(std::initializer_list<const char*> labels) {
  RawNetwork raw;
  raw.file = raw.link_file = "n";
  int line = 1;
  for (const char* label : labels) raw.nodes.push_back({label, label, true, 0.0, static_cast<double>(line), line++});
  return raw;
}

TEST(Names, UniqueWithinTheNetworkAndAtMostSixteen) {
  RawNetwork raw = located({"Ottawa", "Ottawa", "Ottawa_2", "abcdefghijklmnopqrstu", "abcdefghijklmnopQ", "\xff"});
  raw.links.push_back({0, 1, std::nullopt, std::nullopt, 9});
  TidyNetwork net;
  ASSERT_FALSE(tidy(raw, net));
  std::vector<std::string> names;
  for (const StudyNode& n : net.nodes) names.push_back(n.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Ottawa", "Ottawa_2", "Ottawa_2_2", "abcdefghijklmnop", "abcdefghijklmn_2", "node"}));
  EXPECT_EQ(net.renamed, 5);
}

TEST(Coordinates, FromLocatedNeighboursOnly) {
  RawNetwork raw = located({"east", "west"});
  raw.nodes[0].longitude = 179.0;
  raw.nodes[1].longitude = -179.0;
  raw.nodes.push_back({"between", "between", false, 0, 0, 3});
  raw.nodes.push_back({"beyond", "beyond", false, 0, 0, 4});  // its only neighbour is unlocated too
  raw.links = {{0, 2, {}, {}, 5}, {1, 2, {}, {}, 6}, {2, 3, {}, {}, 7}};
  TidyNetwork net;
  ASSERT_FALSE(tidy(raw, net));
  ASSERT_EQ(net.nodes.size(), 3u);
  EXPECT_NEAR(std::fabs(net.nodes[2].longitude), 180.0, 1e-9);  // across the 180th meridian, not at 0
  EXPECT_NEAR(net.nodes[2].latitude, 0.0, 1e-9);
  EXPECT_EQ(net.spans.size(), 2u);
  EXPECT_EQ(net.nodes_left_out, 1);
}


TEST(Lengths, GreatCircle) {
  EXPECT_NEAR(great_circle_km(0, 0, 0, 1), 111.195, 0.001);
  EXPECT_NEAR(great_circle_km(40.71427, -74.00597, 41.85003, -87.65005), 1145.9, 0.5);  // New York, Chicago
  EXPECT_DOUBLE_EQ(great_circle_km(10, 10, 10, 10), 0.0);
  // Across the 180th meridian the short way, and antipodes half the circumference.
  EXPECT_NEAR(great_circle_km(0, 179.5, 0, -179.5), great_circle_km(0, 0, 0, 1), 1e-9);
  EXPECT_NEAR(great_circle_km(0, 0, 0, 180), 6371.0 * 3.14159265358979323846, 1e-6);
}
