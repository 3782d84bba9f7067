// A dual table placed on the node list, the rows found by pair, and the
// page's matrix read back from the HTML: a cell per ordered pair, each
// coloured by its R_ij as the map colours restorability.
#include "dual.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <regex>

#include "text_format.h"
#include "version.h"

using studyfiles::DualTable;
using studyfiles::NodeList;

namespace capview {

namespace {

NodeList square() {
  NodeList nodes;
  nodes.nodes = {{"A", 0.0, 0.0, true}, {"B", 10.0, 0.0, true}, {"C", 10.0, 10.0, true}, {"D", 0.0, 10.0, true}};
  return nodes;
}

// A ring A-B-C-D-A; span 4 carries no working channels, so does span 2:
// the pair (2, 4) has no row.
DualTable ring() {
  DualTable t;
  t.nodes_file = "square.txt";
  t.netdata_file = "square.dat";
  t.spans = {{"A", "B", 4, 2, 10}, {"B", "C", 0, 0, 10}, {"C", "D", 6, 6, 10}, {"D", "A", 0, 0, 10}};
  t.rows = {{1, 2, 1, 0, 0.0}, {1, 3, 0, 3, 0.0}, {1, 4, 4, 0, 0.0}, {2, 3, 0, 6, 0.0}, {3, 4, 0, 5, 0.0}};
  return t;
}

TEST(CapviewDual, PlacesTheSpansOnTheNodeList) {
  DualView view;
  ASSERT_EQ(match_dual(square(), "square.txt", "t.dual", ring(), view), "");
  ASSERT_EQ(view.spans.size(), 4u);
  EXPECT_EQ(view.spans[2].from_node, 3);
  EXPECT_EQ(view.spans[2].to_node, 4);
  EXPECT_EQ(view.spans[0].restored, 2);
  EXPECT_EQ(view.table.rows.size(), 5u);
}

TEST(CapviewDual, RefusesAnotherNetworkAndASliceNamingTheLine) {
  DualView view;
  NodeList other = square();
  other.nodes[2].name = "X";
  EXPECT_EQ(match_dual(other, "other.txt", "t.dual", ring(), view),
            "t.dual:8: span 2 ends at C, which is not a node of other.txt: the table is of another network");
  DualTable slice = ring();
  slice.slice = 2;
  slice.slices = 3;
  EXPECT_EQ(match_dual(square(), "square.txt", "t.dual", slice, view),
            "t.dual:6: the table holds slice 2/3 of the pairs only: gather the slices with dualsweep --gather");
  // The slice line named is the one the table writes.
  const std::string text = studyfiles::format_dual_table(slice);
  const std::size_t at = text.find("\n# slice 2/3\n");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at) + 1, '\n'), 5);
}

TEST(CapviewDual, FindsEveryRowByItsPairInEitherOrder) {
  std::mt19937 random(3);
  for (int round = 0; round < 20; ++round) {
    DualTable t;
    const int n = 1 + static_cast<int>(random() % 12);
    t.spans.assign(static_cast<std::size_t>(n), {"A", "B", 1, 1, 1});
    std::map<std::pair<int, int>, std::size_t> rows;
    for (int i = 1; i <= n; ++i)
      for (int j = i + 1; j <= n; ++j)
        if (random() % 3 != 0) {
          rows[{i, j}] = t.rows.size();
          t.rows.push_back({i, j, 0, 0, 0.0});
        }
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) {
        if (i == j) continue;
        auto found = rows.find({std::min(i, j), std::max(i, j)});
        EXPECT_EQ(dual_row_of(t, i, j), found == rows.end() ? t.rows.size() : found->second) << i << "," << j;
      }
  }
}

TEST(CapviewDual, TheMatrixHasACellPerPairColouredByItsRij) {
  DualView view;
  ASSERT_EQ(match_dual(square(), "square.txt", "t.dual", ring(), view), "");
  const std::string page = dual_page(square(), view, Axes::automatic);
  const std::regex cell("<rect class=\"(pair|pair none|single)\" data-(?:i=\"(\\d+)\" data-j=\"(\\d+)\"|span=\"(\\d+)\")"
                        "(?: data-r=\"([0-9.]+)\")? [^>]* fill=\"(#[0-9a-f]{6})\"");
  std::map<std::pair<int, int>, std::pair<std::string, std::string>> cells;  // R_ij shown and colour
  int singles = 0;
  for (auto it = std::sregex_iterator(page.begin(), page.end(), cell); it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    if (m[1] == "single") {
      ++singles;
      continue;
    }
    cells[{std::stoi(m[2]), std::stoi(m[3])}] = {m[5], m[6]};
  }
  EXPECT_EQ(singles, 4);
  ASSERT_EQ(cells.size(), 12u);
  // R_ij by hand: (1,2) 1/4, (1,3) 3/10, (1,4) 4/4, (2,3) 6/6, (3,4) 5/6.
  const std::map<std::pair<int, int>, double> by_hand = {
      {{1, 2}, 25.0}, {{1, 3}, 30.0}, {{1, 4}, 100.0}, {{2, 3}, 100.0}, {{3, 4}, 500.0 / 6.0}};
  for (const auto& [pair, shown] : cells) {
    auto found = by_hand.find({std::min(pair.first, pair.second), std::max(pair.first, pair.second)});
    if (found == by_hand.end()) {
      EXPECT_EQ(shown.first, "") << "the pair of two idle spans shows no R_ij";
      EXPECT_EQ(shown.second, "#e8e8e8");
      continue;
    }
    EXPECT_EQ(shown.first, text_printf("%.2f", found->second)) << pair.first << "," << pair.second;
    EXPECT_EQ(shown.second, restorability_colour(found->second)) << pair.first << "," << pair.second;
  }
  // Every span can be drawn over the map, hidden until picked.
  const std::regex hidden("<line class=\"pick\"[^>]*visibility=\"hidden\"");
  EXPECT_EQ(std::distance(std::sregex_iterator(page.begin(), page.end(), hidden), std::sregex_iterator()), 4);
  EXPECT_NE(page.find("<p id=\"written-by\">" + written_by("capview") + "</p>"), std::string::npos);
}

}  // namespace

}  // namespace capview
