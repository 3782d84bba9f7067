#include "solver_exchange.h"

#include <gtest/gtest.h>

#include "relax_input.h"

using studyfiles::Answer;
using studyfiles::EdgeRecord;
using studyfiles::RelaxArc;
using studyfiles::RelaxProblem;
using studyfiles::parse_answer;
using studyfiles::read_relax_input;

TEST(CapsweepRelaxInput, CutRecordAndTwinOfferNothing) {
  const std::vector<EdgeRecord> edges = {EdgeRecord{0, 1, 2, 1, 5, 9}, EdgeRecord{0, 2, 1, 1, 5, 9}};
  EXPECT_EQ(relax_input(7, 4, 2, 1, 1, edges, 1, 2),
            "4\n2\n"
            "  1  1  2  1  0\n"
            "  2  2  1  1  0\n"
            "  1 -7\n"
            "  2  7\n"
            "3  0\n"
            "4  0\n");
}

TEST(CapsweepRelaxInput, WithoutTheFlagOnlyTheCutRecordIsClosed) {
  const std::vector<EdgeRecord> edges = {EdgeRecord{0, 1, 2, 1, 5, 9}, EdgeRecord{0, 2, 1, 1, 6, 9},
                                         EdgeRecord{0, 1, 2, 2, 4, 3}, EdgeRecord{0, 2, 1, 2, 8, 3}};
  EXPECT_EQ(relax_input(3, 2, 4, 3, 0, edges, 1, 2),
            "2\n4\n"
            "  1  1  2  1  5\n"
            "  2  2  1  1  6\n"
            "  3  1  2  2  0\n"
            "  4  2  1  2  8\n"
            "  1 -3\n"
            "  2  3\n");
}

// A line with a value wider than its column gets one blank between its
// fields; the lines whose values fit keep their run-together columns.
TEST(CapsweepRelaxInput, WideValuesGetBlanksBetweenFields) {
  const std::vector<EdgeRecord> edges = {EdgeRecord{0, 1, 2, 1000, 250, 9}, EdgeRecord{0, 2, 1, 1, 5, 9},
                                         EdgeRecord{0, 1, 2, 999, -99, 9}};
  EXPECT_EQ(relax_input(100, 2, 3, 2, 0, edges, 2, 1),
            "2\n3\n"
            "1 1 2 1000 250\n"
            "  2  2  1  1  0\n"
            "  3  1  2999-99\n"
            "  1100\n"
            "2 -100\n");
}

// Whatever the widths, relax reads every line one way, the way it was meant:
// the problem it reads back is the one written.
TEST(CapsweepRelaxInput, RelaxReadsBackEveryWideValue) {
  std::vector<EdgeRecord> edges;
  const int n_node = 1500;
  for (int k = 0; k < 1400; ++k) {
    const int a = 1 + (k * 37) % n_node, b = 1 + (k * 37 + 1 + k % 1200) % n_node;
    edges.push_back(EdgeRecord{0, a, b, (k * 7919) % 3000, (k * 104729) % 1200, 5});
  }
  edges.push_back(EdgeRecord{0, 1234, 1011, 1234, 567, 5});  // the line of the issue, widened
  for (int e : {1, 2, 1401}) {
    const EdgeRecord& cut = edges[static_cast<std::size_t>(e - 1)];
    const int demand = e == 1 ? 1234 : 7;
    RelaxProblem in;
    const Error error = read_relax_input(
        relax_input(demand, n_node, static_cast<int>(edges.size()), e, 0, edges, cut.from, cut.to), "RELAX.INP", in);
    ASSERT_EQ(error.text(), "") << "cut " << e;
    ASSERT_EQ(in.arcs.size(), edges.size());
    for (std::size_t k = 0; k < edges.size(); ++k) {
      const RelaxArc& a = in.arcs[k];
      ASSERT_EQ(a.from, edges[k].from);
      ASSERT_EQ(a.to, edges[k].to);
      ASSERT_EQ(a.cost, edges[k].cost);
      ASSERT_EQ(a.capacity, static_cast<int>(k) + 1 == e ? 0 : edges[k].spare);
    }
    EXPECT_EQ(in.source, cut.from);
    EXPECT_EQ(in.sink, cut.to);
    EXPECT_EQ(in.demand, demand);
  }
}

TEST(CapsweepAnswer, FourValuesAsScanfReadsThem) {
  std::optional<Answer> a = parse_answer("1\n0.500000\n0.250000\n12.000000\n");
  ASSERT_TRUE(a);
  EXPECT_EQ(a->is_feas, 1);
  EXPECT_DOUBLE_EQ(a->elapsed_time, 0.5);
  EXPECT_DOUBLE_EQ(a->cpu_time, 0.25);
  EXPECT_DOUBLE_EQ(a->opt_cost, 12.0);
  EXPECT_EQ(parse_answer("2 1 1 1")->is_feas, 2);
  EXPECT_EQ(parse_answer("0x10\n0\n0\n0\n")->is_feas, 16);
  EXPECT_EQ(parse_answer("010\n0\n0\n0\n")->is_feas, 8);
  EXPECT_EQ(parse_answer("  -1\n1e2\n.5\n-3\n")->opt_cost, -3.0);
}

TEST(CapsweepAnswer, FewerThanFourValuesAreRefused) {
  EXPECT_FALSE(parse_answer(""));
  EXPECT_FALSE(parse_answer("1\n0.5\n0.25\n"));
  EXPECT_FALSE(parse_answer("yes\n0.5\n0.25\n1\n"));
  EXPECT_FALSE(parse_answer("1\n0.5\nfast\n1\n"));
  EXPECT_FALSE(parse_answer("99999999999\n0\n0\n0\n"));
}
