#include "solver_exchange.h"

#include <gtest/gtest.h>

TEST(CapsweepRelaxInput, CutRecordAndTwinOfferNothing) {
  const std::vector<Edge> edges = {Edge{1, 2, 1, 5, 9}, Edge{2, 1, 1, 5, 9}};
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
  const std::vector<Edge> edges = {Edge{1, 2, 1, 5, 9}, Edge{2, 1, 1, 6, 9}, Edge{1, 2, 2, 4, 3},
                                   Edge{2, 1, 2, 8, 3}};
  EXPECT_EQ(relax_input(3, 2, 4, 3, 0, edges, 1, 2),
            "2\n4\n"
            "  1  1  2  1  5\n"
            "  2  2  1  1  6\n"
            "  3  1  2  2  0\n"
            "  4  2  1  2  8\n"
            "  1 -3\n"
            "  2  3\n");
}

TEST(CapsweepRelaxInput, WideValuesRunTogether) {
  const std::vector<Edge> edges = {Edge{1, 2, 1000, 250, 9}, Edge{2, 1, 1, 5, 9}};
  EXPECT_EQ(relax_input(100, 2, 2, 2, 0, edges, 2, 1),
            "2\n2\n"
            "  1  1  21000250\n"
            "  2  2  1  1  0\n"
            "  1100\n"
            "  2-100\n");
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
