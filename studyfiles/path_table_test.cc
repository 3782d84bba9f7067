// pathsweep's results table: written and read back the same, refused with
// the line at fault; the summary made from the table (the R lines, the
// bound, availability worked out by hand) and the CSV.
#include "path_table.h"

#include <gtest/gtest.h>

#include <string>

#include "path_summary.h"

using namespace studyfiles;

namespace {

PathTable triangle(bool bound, bool availability) {
  PathTable t;
  t.writer = "pathsweep (meshrestore) 1.0.0";
  t.nodes_file = "nodes.txt";
  t.netdata_file = "tri.dat";
  t.paths_file = "paths.txt";
  t.fail = "spans,nodes";
  t.has_bound = bound;
  t.paths = 6;
  t.demand_count = 3;
  t.spans = {{"A", "B", 2, 1, 100}, {"B", "C", 2, 1, 200}, {"C", "A", 2, 1, 300}};
  t.rows = {{"span", "1", 2, 0, 1, 1.5}, {"span", "2", 2, 0, 2, 2}, {"span", "3", 2, 0, 0, 0},
            {"node", "A", 0, 4, 0, 0},   {"node", "B", 2, 4, 1, 1}, {"node", "C", 0, 4, 0, 0}};
  if (availability) {
    t.cut_rate = "2.0";
    t.node_rate = "1";
    t.repair_hours = "12";
    t.length_unit = "km";
    t.demands = {{"A", "B", 2, 1.5e-3}, {"B", "C", 2, 2.5e-3}, {"C", "A", 2, 2.5e-3}};
  }
  if (!bound)
    for (PathRow& r : t.rows) r.bound = 0;
  return t;
}

TEST(PathTable, WrittenAndReadBack) {
  for (bool bound : {false, true})
    for (bool availability : {false, true}) {
      PathTable t = triangle(bound, availability);
      t.stub_release = bound;
      t.max_spans = availability ? 3 : 0;
      t.groups_file = bound ? "g.txt" : "";
      const std::string text = format_path_table(t);
      PathTable again;
      const Error e = read_path_table(text, "t.ps", again);
      ASSERT_FALSE(e) << e.text() << "\n" << text;
      EXPECT_EQ(format_path_table(again), text);
      EXPECT_EQ(again.rows.size(), 6u);
      EXPECT_EQ(again.max_spans, t.max_spans);
      EXPECT_EQ(again.groups_file, t.groups_file);
    }
  const std::string text = format_path_table(triangle(true, false));
  EXPECT_NE(text.find("\nspan  1                   2        0        1       1.50   50.00%  A B\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nnode  A                   0        4        0       0.00  100.00%\n"), std::string::npos) << text;
}

TEST(PathTable, FaultsNameTheirLine) {
  const std::string good = format_path_table(triangle(true, true));
  const auto with = [&](const std::string& from, const std::string& to) {
    std::string t = good;
    const std::size_t at = t.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return t.replace(at, from.size(), to);
  };
  const struct {
    std::string text;
    const char* message;
  } cases[] = {
      {"x\n", "t.ps:1: not a pathsweep table: no title line"},
      {with("# fail spans,nodes", "# fail spans,spans"), "t.ps:7: the fail line names spans, nodes or groups, each once"},
      {with("# max-spans none", "# max-spans 0"), "t.ps:9: the max-spans line gives none or a number above 0"},
      {with("node-rate 1", "node-rate x"), "t.ps:11: the rates must be plain decimal numbers, or -"},
      {with("# working paths 6 demands 3", "# working paths 6 demands 7"), "t.ps:12: the line of the working paths and demands is garbled"},
      {with("# span 2 B C working 2", "# span 3 B C working 2"), "t.ps:15: the line of span 2 is garbled"},
      {with("paths 2 unavailability 2.5", "paths 3 unavailability 2.5"), "t.ps:19: the demands' paths do not add up to the working paths"},
      {with("span  2  ", "link  2  "), "t.ps:22: expected a row: span, node or group, then its name"},
      {with("span  2  ", "span  4  "), "t.ps:22: no span 4 (1..3)"},
      {with("span  2  ", "span  1  "), "t.ps:22: span rows out of order"},
      {with("  2.00  100.00%  B C", "  2.00  100.00%  C B"), "t.ps:22: the end names differ from the span line"},
      {with("  1.50   50.00%", "  1.50   60.00%"), "t.ps:21: the restorability is not restored / affected"},
      {with("  1.50   50.00%", "  0.50   50.00%"), "t.ps:21: the bound lies outside restored and affected"},
      {with("node  B", "node  A"), "t.ps:25: the node A has a row already"},
      {good + "span  3 2 0 0 0.00 0.00% C A\n", "t.ps:27: rows out of order: spans, then nodes, then groups"},
      {good + "group g 1 0 0 0.00 0.00%\n", "t.ps:27: a group row in a table whose fail line has no groups"},
      {good + "node  D 0 0 0 0.00 100.00% x\n", "t.ps:27: more fields than a row has"},
  };
  for (const auto& c : cases) {
    PathTable t;
    EXPECT_EQ(read_path_table(c.text, "t.ps", t).text(), c.message) << c.text;
  }
}

TEST(PathSummary, KindsBoundAndAvailabilityByHand) {
  const PathTable t = triangle(true, true);
  const std::string s = path_summary_text(t);
  // Spans: 3 of 6 affected restored; nodes: 1 of 2, 12 of 14 hit ending.
  EXPECT_NE(s.find("\n  R span        50.00%\n"), std::string::npos) << s;
  EXPECT_NE(s.find("\n  R node        50.00%\n"), std::string::npos) << s;
  EXPECT_NE(s.find("\n  ending                   12  (85.71% of the paths hit)\n"), std::string::npos) << s;
  EXPECT_NE(s.find("\n  below the bound           1  (0.50 paths short of the bound in all)\n"), std::string::npos) << s;
  EXPECT_EQ(s.find("group scenarios"), std::string::npos);
  // Span k is down 2.0 x L/1000 x 12 / 8760 of the year: 2.4, 4.8, 7.2 over
  // 8760 for 100, 200, 300 km. Unrestored: 1 x 2.4 + 0 + 2 x 7.2 = 16.8
  // over 8760, plus node B's 1 x 12/8760: 28.8/8760 = 3.287671e-03. Ending:
  // 12 x 12 / 8760 = 1.643836e-02.
  EXPECT_NE(s.find("    ending at a failed node   1.643836e-02\n    unrestored                3.287671e-03\n"),
            std::string::npos)
      << s;
  EXPECT_NE(s.find("    unrestored                       28.80\n"), std::string::npos) << s;
  // The least available demands, the worst first, ties in demand order.
  EXPECT_NE(s.find("    B               C                    2    2.500000e-03\n    C               A                    2    "
                   "2.500000e-03\n    A               B"),
            std::string::npos)
      << s;
  const std::string csv = path_csv_text(t);
  EXPECT_EQ(csv.substr(0, csv.find('\n', csv.find('\n') + 1) + 1),
            "kind,name,from,to,affected,ending,restored,restorability,bound\nspan,1,A,B,2,0,1,50.00,1.50\n");
  EXPECT_NE(csv.find("\nnode,A,,,0,4,0,100.00,0.00\n"), std::string::npos) << csv;
}

TEST(PathSummary, LeastRestorableComparedExactly) {
  PathTable t = triangle(false, false);
  t.rows[1].affected = 3;  // 2 of 3
  t.rows[1].restored = 2;
  // span 3 0/2, then span 1 and node B at 1/2 (table order), then span 2
  // at 2/3; those restored in full are not among them.
  EXPECT_EQ(least_restorable(t, 4), (std::vector<std::size_t>{2, 0, 4, 1}));
  EXPECT_EQ(least_restorable(t, 10), (std::vector<std::size_t>{2, 0, 4, 1}));
  EXPECT_EQ(least_restorable(t, 2), (std::vector<std::size_t>{2, 0}));
}

}  // namespace
