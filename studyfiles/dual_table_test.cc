#include "dual_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace studyfiles {
namespace {

DualTable three_spans(bool bound) {
  DualTable t;
  t.nodes_file = "nodes.txt";
  t.netdata_file = "my net.dat";
  t.has_bound = bound;
  t.spans = {{"A", "B", 4, 3, 120}, {"B", "C", 0, 0, 80}, {"C", "A", 7, 7, 300}};
  t.rows = {{1, 2, 3, 0, 3.0}, {1, 3, 2, 5, 8.5}, {2, 3, 0, 6, 7.0}};
  return t;
}

TEST(DualTable, RoundTripsWithAndWithoutBoundSliceAvailabilityAndWriter) {
  for (bool bound : {false, true}) {
    DualTable t = three_spans(bound);
    if (bound) {
      t.written_by = "dualsweep (meshrestore) 1.0.0+9808fc9";
      t.cut_rate = "2.0";
      t.repair_hours = "12";
      t.length_unit = "miles";
      t.slice = 2;
      t.slices = 3;
    }
    const std::string text = format_dual_table(t);
    DualTable back;
    ASSERT_FALSE(read_dual_table(text, "t.out", back)) << read_dual_table(text, "t.out", back).text();
    EXPECT_EQ(format_dual_table(back), text);
    EXPECT_EQ(back.netdata_file, "my net.dat");
    EXPECT_EQ(back.written_by, t.written_by);
    EXPECT_EQ(back.slice, t.slice);
    EXPECT_EQ(back.cut_rate, t.cut_rate);
    ASSERT_EQ(back.rows.size(), 3u);
    EXPECT_EQ(back.rows[1].r_j, 5);
    if (bound) {
      EXPECT_EQ(back.rows[1].bound, 8.5);
    }
  }
}

// The line dual_span_line names is the one the header writes for the span,
// with and without the slice line and the writer's line.
TEST(DualTable, SpanLinesAreWhereTheHeaderWritesThem) {
  for (int slices : {0, 4}) {
    DualTable t = three_spans(false);
    t.slice = slices > 0 ? 1 : 0;
    t.slices = slices;
    if (slices > 0) t.written_by = "dualsweep (meshrestore) 1.0.0";
    const std::string text = format_dual_header(t);
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
      lines.push_back(text.substr(at, end - at));
    for (int k = 1; k <= 3; ++k) {
      const int line = dual_span_line(t, k);
      ASSERT_LE(line, static_cast<int>(lines.size()));
      EXPECT_EQ(lines[static_cast<std::size_t>(line - 1)].rfind("# span " + std::to_string(k) + " ", 0), 0u)
          << "slices " << slices << ", span " << k;
    }
  }
}

TEST(DualTable, RowsBeginWithTheSpanNumbersAndTheHeaderNeverWithADigit) {
  const std::string text = format_dual_table(three_spans(true));
  EXPECT_NE(text.find("\n1     3          4      7      2      5  A B  C A   63.64%       8.50\n"), std::string::npos)
      << text;
  std::size_t rows = 0;
  for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
    if (std::isdigit(static_cast<unsigned char>(text[at]))) {
      ++rows;
    } else {
      EXPECT_EQ(text[at], '#');
    }
  }
  EXPECT_EQ(rows, 3u);
}

TEST(DualTable, RefusesRowsThatDisagreeWithTheHeaderNamingTheLine) {
  const std::string good = format_dual_table(three_spans(false));
  const std::size_t row = good.find("\n1     3") + 1;
  const int line = static_cast<int>(std::count(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(row), '\n')) + 1;
  struct Case {
    std::string from, to, message;
  } cases[] = {
      {"1     3          4      7      2      5", "1     3          4      8      2      5", "working channels differ"},
      {"1     3          4      7      2      5", "1     3          4      7      5      5", "restores more"},
      {"1     3          4      7      2      5", "3     1          4      7      2      5", "no pair of spans"},
      {"  C A   63.64%", "  C X   63.64%", "end names differ"},
      {"  C A   63.64%", "  C A   63.65%", "R_ij is not"},
      {"  C A   63.64%", "  C A   63.64% 1", "more fields"},
  };
  for (const Case& c : cases) {
    std::string text = good;
    text.replace(text.find(c.from, row), c.from.size(), c.to);
    DualTable t;
    const Error e = read_dual_table(text, "t.out", t);
    EXPECT_NE(e.text().find("t.out:" + std::to_string(line) + ": "), std::string::npos) << e.text();
    EXPECT_NE(e.text().find(c.message), std::string::npos) << e.text();
  }
  DualTable t;
  EXPECT_EQ(read_dual_table("", "t.out", t).text(), "t.out:1: not a dualsweep table: no title line");
  std::string swapped = good;
  const std::size_t second = swapped.find("\n1     3") + 1, third = swapped.find("\n2     3") + 1;
  const std::string row3 = swapped.substr(third);
  swapped = swapped.substr(0, second) + row3 + swapped.substr(second, third - second);
  EXPECT_NE(read_dual_table(swapped, "t.out", t).text().find("out of span order"), std::string::npos);
  DualTable sliced = three_spans(false);
  sliced.slice = 1;
  sliced.slices = 2;
  const std::string sliced_text = format_dual_table(sliced);
  for (const char* bad : {"4/3", "0/3", "1 /3", "1/ 3", "1/3/3", "1/x", "13"}) {
    std::string text = sliced_text;
    text.replace(text.find("1/2"), 3, bad);
    EXPECT_NE(read_dual_table(text, "t.out", t).text().find("t.out:6: the slice line must read K/N"), std::string::npos)
        << bad;
  }
  std::string rate = sliced_text;
  rate.replace(rate.find("# availability none"), 19, "# availability cut-rate 2e3 repair-hours 12 length km");
  EXPECT_NE(read_dual_table(rate, "t.out", t).text().find("plain decimal numbers"), std::string::npos);
  std::string many = good;
  many.replace(many.find("# spans 3"), 9, "# spans 2000000000");
  EXPECT_NE(read_dual_table(many, "t.out", t).text().find("fewer span lines"), std::string::npos);
}

}  // namespace
}  // namespace studyfiles
