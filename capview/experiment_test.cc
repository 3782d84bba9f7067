#include "experiment.h"

#include <gtest/gtest.h>

#include <random>

#include "csv.h"
#include "text_format.h"
#include "version.h"

using studyfiles::NodeList;
using studyfiles::ResultRow;

namespace capview {

namespace {

NodeList five_nodes() {
  NodeList nodes;
  for (const char* name : {"A", "B", "C", "D", "E"}) nodes.nodes.push_back({name, 0.0, 0.0, false});
  return nodes;
}

ExperimentInput table(const std::string& file, const std::string& text) {
  ExperimentInput input;
  input.file = file;
  Error error = studyfiles::read_experiment_table(text, file, input.table);
  EXPECT_TRUE(error.text().empty()) << error.text();
  return input;
}

std::string row(const char* from, const char* to, int lost, int restored, int bound, double last_ms) {
  studyfiles::ExperimentRow r;
  r.from = from;
  r.to = to;
  r.lost = lost;
  r.restored = restored;
  r.bound = bound;
  r.last_ms = last_ms;
  r.first_ms = restored > 0 ? last_ms / 2 : 0.0;
  r.paths = restored;
  return studyfiles::format_experiment_row(r);
}

std::string title(const char* tag) { return studyfiles::format_experiment_title(tag, "net.rst") + std::string(41, '=') + "\n"; }

// Selection sort: the values in rising order, the slow and obvious way.
std::vector<double> brute_sorted(std::vector<double> values) {
  std::vector<double> out;
  while (!values.empty()) {
    std::size_t least = 0;
    for (std::size_t i = 1; i < values.size(); ++i)
      if (values[i] < values[least]) least = i;
    out.push_back(values[least]);
    values.erase(values.begin() + static_cast<std::ptrdiff_t>(least));
  }
  return out;
}

TEST(ExperimentFigures, MedianAndPercentileAgreeWithASortedCopy) {
  std::mt19937 random(7);
  for (int trial = 0; trial < 300; ++trial) {
    std::size_t n = 1 + random() % 40;
    std::vector<double> values;
    // Few distinct values, so that ties are common.
    for (std::size_t i = 0; i < n; ++i) values.push_back(static_cast<double>(random() % 12) * 0.25);
    std::vector<double> sorted = brute_sorted(values);
    double median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2.0;
    EXPECT_DOUBLE_EQ(median_of(values), median);
    for (int p : {1, 50, 90, 99, 100}) {
      // Nearest rank: the least value with at least p percent of the values
      // at or below it.
      double expected = sorted.back();
      for (double v : sorted) {
        std::size_t at_or_below = 0;
        for (double w : values) at_or_below += w <= v;
        if (at_or_below * 100 >= static_cast<std::size_t>(p) * n) {
          expected = v;
          break;
        }
      }
      EXPECT_DOUBLE_EQ(nearest_rank(values, p), expected) << "p=" << p << " n=" << n;
    }
  }
  EXPECT_EQ(median_of({}), 0.0);
  EXPECT_EQ(nearest_rank({}, 90), 0.0);
  // Ten values: the 90th percentile is the 9th, not the largest.
  EXPECT_EQ(nearest_rank({10, 1, 9, 2, 8, 3, 7, 4, 6, 5}, 90), 9.0);
  EXPECT_EQ(nearest_rank({10, 1, 9, 2, 8, 3, 7, 4, 6, 5, 11}, 90), 10.0);
}

TEST(ExperimentMatch, NumbersAndNamesMeetOnOneSpanOrderedByTheNodeList) {
  NodeList nodes = five_nodes();
  // kimber's table comes first and names the ends by number, in either
  // order; vetrun's by name.
  std::vector<ExperimentInput> tables = {
      table("n.kmb.res", title("kmb") + row("3", "1", 9, 4, 6, 7.5) + row("1", "2", 5, 5, 8, 2.0) + "\n" +
                             row("4", "5", 0, 0, 0, 0.0)),
      table("n.vtr.res", title("vtr") + row("D", "E", 0, 0, 0, 0.0) + row("A", "C", 9, 6, 6, 3.25) +
                             row("B", "A", 5, 5, 8, 1.0)),
  };
  Experiment e;
  ASSERT_EQ(match_experiment(nodes, "nodes.txt", tables, e), "");
  ASSERT_EQ(e.methods.size(), 2u);
  EXPECT_STREQ(kMethodNames[e.methods[0].method].name, "vetrun");  // vtr before kmb, whatever the command line
  EXPECT_EQ(e.methods[0].file, "n.vtr.res");
  EXPECT_EQ(e.netrestore_file, "net.rst");
  ASSERT_EQ(e.spans.size(), 3u);
  EXPECT_EQ(e.spans[0].from + "-" + e.spans[0].to, "A-B");
  EXPECT_EQ(e.spans[1].from + "-" + e.spans[1].to, "A-C");
  EXPECT_EQ(e.spans[2].from + "-" + e.spans[2].to, "D-E");
  EXPECT_EQ(e.spans[1].span, 2);
  EXPECT_EQ(e.spans[1].restored, (std::vector<int>{6, 4}));
  EXPECT_EQ(e.spans[1].last_ms, (std::vector<double>{3.25, 7.5}));

  Totals totals = totals_of(e);
  EXPECT_EQ(totals.lost, 14);
  EXPECT_EQ(totals.bound, 5 + 6);  // min(lost, bound) per span
  EXPECT_EQ(totals.restored, (std::vector<long long>{11, 9}));
  EXPECT_DOUBLE_EQ(restorability(totals.restored[1], totals.lost), 9 * 100.0 / 14);
  EXPECT_EQ(restorability(0, 0), 0.0);

  TimeFigures vetrun = time_figures(e, 0);
  EXPECT_EQ(vetrun.spans, 2);  // D-E restored nothing and does not count
  EXPECT_DOUBLE_EQ(vetrun.median, (1.0 + 3.25) / 2);
  EXPECT_DOUBLE_EQ(vetrun.p90, 3.25);
  EXPECT_DOUBLE_EQ(vetrun.largest, 3.25);

  EXPECT_EQ(experiment_csv(e),
            "span,from,to,lost,bound,vetrun_restored,vetrun_ms,kimber_restored,kimber_ms\n"
            "1,A,B,5,8,5,1.000,5,2.000\n2,A,C,9,6,6,3.250,4,7.500\n3,D,E,0,0,0,0.000,0,0.000\n");
}

TEST(ExperimentMatch, TablesOfDifferentSpansOrNamesAreRefused) {
  NodeList nodes = five_nodes();
  const std::string vtr = title("vtr") + row("1", "2", 5, 5, 8, 1.0) + row("1", "3", 9, 6, 6, 3.0);
  struct Case {
    std::string second, message;
  };
  const Case cases[] = {
      {title("kmb") + row("1", "2", 5, 5, 8, 1.0),
       "k.res: no row for span A-C, which v.res:4 cuts: the tables cover different spans"},
      {title("kmb") + row("1", "2", 5, 5, 8, 1.0) + row("1", "3", 9, 6, 6, 3.0) + row("2", "3", 1, 0, 0, 0.0),
       "k.res:5: span B-C is not cut in v.res: the tables cover different spans"},
      {title("kmb") + row("1", "2", 5, 5, 8, 1.0) + row("1", "3", 8, 6, 6, 3.0),
       "k.res:4: span A-C lost 8 with a bound of 6, but 9 with a bound of 6 in v.res:4"},
      {title("kmb") + row("1", "2", 5, 5, 8, 1.0) + row("2", "1", 5, 5, 8, 1.0),
       "k.res:4: a second row for span A-B (the first is line 3)"},
      {title("kmb") + row("1", "2", 5, 5, 8, 1.0) + row("1", "3", 9, 7, 6, 3.0),
       "k.res:4: the row restores 7 channels, more than the 9 lost or the bound of 6"},
      {title("kmb") + row("1", "2", 5, 5, 8, 1.0) + row("1", "6", 9, 6, 6, 3.0),
       "k.res:4: node 6 is neither a name nor a node number of nodes.txt"},
      {title("kmb") + row("1", "2", 5, 5, 8, 1.0) + row("C", "3", 9, 6, 6, 3.0),
       "k.res:4: the row joins node C to itself"},
      {title("vtr") + row("1", "2", 5, 5, 8, 1.0) + row("1", "3", 9, 6, 6, 3.0),
       "k.res:1: a second vtr table (the first is v.res)"},
      {title("rest") + row("1", "2", 5, 5, 8, 1.0) + row("1", "3", 9, 6, 6, 3.0),
       "k.res:1: the title names method 'rest', not vtr, kmb, osp or dunv"},
  };
  for (const Case& c : cases) {
    std::vector<ExperimentInput> tables = {table("v.res", vtr), table("k.res", c.second)};
    Experiment e;
    EXPECT_EQ(match_experiment(nodes, "nodes.txt", tables, e), c.message);
  }
}

TEST(ExperimentMatch, CapsweepRowsAnswerSpansInEitherOrder) {
  NodeList nodes = five_nodes();
  std::vector<ExperimentInput> tables = {
      table("v.res", title("vtr") + row("1", "2", 5, 5, 8, 1.0) + row("1", "3", 9, 6, 6, 3.0) +
                         row("4", "5", 3, 0, 0, 0.0))};
  auto rows_of = [](std::vector<std::tuple<const char*, const char*, int, int>> given) {
    std::vector<ResultRow> rows;
    int line = 4;
    for (auto [from, to, working, restored] : given) {
      ResultRow r;
      r.line = line++;
      r.from = from;
      r.to = to;
      r.working = working;
      r.restored = restored;
      rows.push_back(r);
    }
    return rows;
  };
  Experiment e;
  ASSERT_EQ(match_experiment(nodes, "nodes.txt", tables, e), "");
  // C-A answers A-C; A-C again (a one-way table's other direction) is passed
  // over; D-E had nothing to restore, so it needs no row.
  ASSERT_EQ(add_capsweep_results(nodes, rows_of({{"B", "A", 5, 4}, {"C", "A", 9, 6}, {"A", "C", 9, 1}}), "n.out", e),
            "");
  EXPECT_EQ(e.spans[0].capsweep_restored, 4);
  EXPECT_EQ(e.spans[1].capsweep_restored, 6);
  EXPECT_FALSE(e.spans[2].has_capsweep);
  EXPECT_EQ(totals_of(e).capsweep, 10);

  ASSERT_EQ(match_experiment(nodes, "nodes.txt", tables, e), "");
  EXPECT_EQ(add_capsweep_results(nodes, rows_of({{"B", "A", 5, 4}}), "n.out", e),
            "n.out: no row for span A-C, which lost 9 with a bound of 6: the results are of another network");
  ASSERT_EQ(match_experiment(nodes, "nodes.txt", tables, e), "");
  EXPECT_EQ(add_capsweep_results(nodes, rows_of({{"B", "A", 5, 4}, {"C", "A", 8, 6}}), "n.out", e),
            "n.out:5: the row shows working capacity 8, but span A-C lost 9 in v.res");
  ASSERT_EQ(match_experiment(nodes, "nodes.txt", tables, e), "");
  EXPECT_EQ(add_capsweep_results(nodes, rows_of({{"B", "D", 5, 4}}), "n.out", e),
            "n.out:4: the row names B-D, a span that the experiment does not cut");
}

// Spans with given restored counts and times for three methods.
Experiment three_methods(const std::vector<std::vector<int>>& restored, const std::vector<std::vector<double>>& times) {
  Experiment e;
  e.methods = {{0, "v"}, {1, "k"}, {2, "o"}};
  for (std::size_t i = 0; i < restored.size(); ++i) {
    ExperimentSpan span;
    span.span = static_cast<int>(i) + 1;
    span.lost = span.bound = 20;
    span.restored = restored[i];
    span.last_ms = times[i];
    e.spans.push_back(span);
  }
  return e;
}

TEST(ExperimentSpread, SpansDifferingMostComeFirstAndAgreementIsLeftOut) {
  Experiment e = three_methods({{5, 5, 5}, {5, 2, 4}, {6, 3, 6}, {4, 4, 0}, {5, 5, 5}},
                               {{1.0, 1.0, 1.0}, {1.0, 9.0, 2.0}, {1.0, 2.0, 1.5}, {2.0, 7.0, 0.0}, {1.0, 4.0, 2.0}});
  Spread s = spread_of(e.spans[3]);
  EXPECT_EQ(s.restored, 4);
  EXPECT_DOUBLE_EQ(s.time, 5.0);  // ospel restored nothing: its 0 ms does not count
  EXPECT_EQ(spread_of(e.spans[0]).time, 0.0);
  // Spread 4 (span 4), then 3 and 3 (span 2 with 8 ms before span 3 with
  // 1 ms), then span 5 on time alone; span 1 agrees.
  EXPECT_EQ(most_different(e), (std::vector<std::size_t>{3, 1, 2, 4}));

  std::vector<std::vector<int>> many;
  std::vector<std::vector<double>> times;
  for (int i = 0; i < 14; ++i) {
    many.push_back({i % 7, 0, 0});
    times.push_back({1.0, 0.0, 0.0});
  }
  std::vector<std::size_t> top = most_different(three_methods(many, times));
  EXPECT_EQ(top, (std::vector<std::size_t>{6, 13, 5, 12, 4, 11, 3, 10, 2, 9}));
}

TEST(ExperimentSummary, OneMethodAndNoLossAreSaidPlainly) {
  Experiment e;
  e.netrestore_file = "net.rst";
  e.nodes_file = "nodes.txt";
  e.methods = {{3, "n.dunv.res"}};
  ExperimentSpan span;
  span.span = 1;
  span.from = "A";
  span.to = "B";
  span.restored = {0};
  span.last_ms = {0.0};
  e.spans.push_back(span);
  std::string text = experiment_summary(e);
  EXPECT_NE(text.find("  dunvar            0              -  n.dunv.res\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  dunvar         0          -          -          -\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\none method only: no spans to compare\n"), std::string::npos) << text;
}

}  // namespace

namespace {

TEST(ExperimentPage, EscapesNamesAndDrawsABarPerMethodAndSpan) {
  NodeList nodes;
  for (const char* name : {"A<&>", "B,\"x\"", "C"}) nodes.nodes.push_back({name, 0.0, 0.0, false});
  std::vector<ExperimentInput> tables = {
      table("n.osp.res", title("osp") + row("1", "2", 5, 4, 8, 1.5) + row("2", "3", 3, 3, 3, 0.75)),
      table("n.vtr.res", title("vtr") + row("1", "2", 5, 5, 8, 1.0) + row("2", "3", 3, 0, 3, 0.0))};
  Experiment e;
  ASSERT_EQ(match_experiment(nodes, "nodes.txt", tables, e), "");
  e.netrestore_file = "<net>.rst";
  std::string page = experiment_page(e);
  EXPECT_EQ(page.find("A<&>"), std::string::npos);
  EXPECT_EQ(page.find("<net>"), std::string::npos);
  EXPECT_NE(page.find("<td>A&lt;&amp;&gt;</td><td>B,&quot;x&quot;</td>"), std::string::npos);
  auto count = [&](const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = page.find(what); at != std::string::npos; at = page.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("<g class=\"span-row\""), 2u);
  EXPECT_EQ(count("<rect class=\"bar restored\" data-method=\"vetrun\""), 2u);
  EXPECT_EQ(count("<rect class=\"bar time\" data-method=\"ospel\""), 2u);
  EXPECT_EQ(count("data-method=\"capsweep\""), 0u);
  EXPECT_EQ(count("<rect class=\"bound\""), 2u);
  EXPECT_EQ(count(written_by("capview")), 1u);
  // The CSV quotes the name with a comma and a quote.
  EXPECT_NE(experiment_csv(e).find("\n2,\"B,\"\"x\"\"\",C,3,3,0,0.000,3,0.750\n"), std::string::npos) << experiment_csv(e);
}

}  // namespace

}  // namespace capview
