// The figures of a dual table: the availability of a triangle worked out by
// hand, and the worst pairs against a plain sort of the exact fractions.
#include "dual_summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

using studyfiles::Availability;
using studyfiles::availability_of;
using studyfiles::DualRow;
using studyfiles::DualTable;
using studyfiles::worst_pairs;

namespace {

// The summary is dualsweep's printed text: keep its old name in the test.
std::string summary_text(const DualTable& t) { return studyfiles::dual_summary_text(t); }

TEST(DualsweepAvailability, ATriangleWorkedOutByHand) {
  // Spans A-B 100 km, B-C 200 km, C-A 300 km; 2 cuts a year per 1,000 km,
  // repaired in 12 h: U = 2 x L / 1000 x 12 / 8760, that is 2.4, 4.8 and
  // 7.2 hours a year over 8760. Single cuts lose 0, 0 and 4 channels; every
  // pair loses all of its working (4 + 2, 4 + 6, 2 + 6).
  studyfiles::DualTable t;
  t.cut_rate = "2.0";
  t.repair_hours = "12";
  t.length_unit = "km";
  t.spans = {{"A", "B", 4, 4, 100}, {"B", "C", 2, 2, 200}, {"C", "A", 6, 2, 300}};
  t.rows = {{1, 2, 0, 0, 0.0}, {1, 3, 0, 0, 0.0}, {2, 3, 0, 0, 0.0}};
  const Availability a = availability_of(t);
  EXPECT_NEAR(a.single, 7.2 * 4 / 8760, 1e-15);  // 28.8 channel-hours a year
  EXPECT_NEAR(a.dual, (2.4 * 4.8 * 6 + 2.4 * 7.2 * 10 + 4.8 * 7.2 * 8) / (8760.0 * 8760.0), 1e-15);
  EXPECT_NEAR(a.dual * 8760, 518.4 / 8760, 1e-12);  // 0.0592 channel-hours a year
  const std::string text = summary_text(t);
  EXPECT_NE(text.find("    single cuts                  28.80\n    dual cuts                     0.06\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("the dual pairs cause 0.21% of the channel-hours lost"), std::string::npos) << text;
  t.length_unit = "miles";
  EXPECT_NEAR(availability_of(t).single, 7.2 * 1.609344 * 4 / 8760, 1e-15);
}

// A random table; the worst pairs against every pair sorted by
// (r_i + r_j) / (w_i + w_j) in long double, ties in row order, checked as
// fractions cross-multiplied so that nearly equal ones are told apart.
TEST(DualSummaryWorstPairs, AgreeWithASortOfTheFractions) {
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    DualTable t;
    const int n = 2 + static_cast<int>(random() % 9);
    for (int k = 0; k < n; ++k) {
      const int w = static_cast<int>(random() % 7);
      t.spans.push_back({"A" + std::to_string(k), "B" + std::to_string(k), w, w > 0 ? static_cast<int>(random() % (w + 1)) : 0, 10});
    }
    for (int i = 1; i <= n; ++i)
      for (int j = i + 1; j <= n; ++j) {
        const int wi = t.spans[static_cast<std::size_t>(i - 1)].working, wj = t.spans[static_cast<std::size_t>(j - 1)].working;
        if (wi + wj == 0) continue;
        t.rows.push_back({i, j, static_cast<int>(random() % (wi + 1)), static_cast<int>(random() % (wj + 1)), 0.0});
      }
    std::vector<std::size_t> all(t.rows.size());
    std::iota(all.begin(), all.end(), 0);
    auto lost = [&](const DualRow& r) {
      return t.spans[static_cast<std::size_t>(r.i - 1)].working + t.spans[static_cast<std::size_t>(r.j - 1)].working;
    };
    std::stable_sort(all.begin(), all.end(), [&](std::size_t a, std::size_t b) {
      const DualRow &x = t.rows[a], &y = t.rows[b];
      return static_cast<long long>(x.r_i + x.r_j) * lost(y) < static_cast<long long>(y.r_i + y.r_j) * lost(x);
    });
    for (std::size_t most : {std::size_t{0}, std::size_t{1}, std::size_t{5}, std::size_t{1000}}) {
      std::vector<std::size_t> expected(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(std::min(most, all.size())));
      EXPECT_EQ(worst_pairs(t, most), expected) << "round " << round << ", most " << most;
    }
  }
}

}  // namespace
