#include "exchange.h"

#include <gtest/gtest.h>

#include "relax_input.h"

// capsweep writes the problem, relax reads it back: the same arcs, source,
// sink and demand, in today's layout.
TEST(Exchange, RelaxInputWrittenReadsBackTheSame) {
  const std::vector<RelaxInputArc> arcs = {{1, 2, 5, 0}, {2, 1, 5, 0}, {1, 3, 7, 4}, {3, 2, 1, 12}};
  const std::string text = format_relax_input(4, arcs, 1, 2, 7);
  EXPECT_EQ(text, "4\n4\n  1  1  2  5  0\n  2  2  1  5  0\n  3  1  3  7  4\n  4  3  2  1 12\n  1 -7\n  2  7\n3  0\n4  0\n");
  const RelaxInput read = read_relax_input(text, kRelaxInputFile);
  ASSERT_TRUE(read.ok()) << read.error;
  EXPECT_EQ(read.problem.node_count, 4);
  ASSERT_EQ(read.problem.arcs.size(), arcs.size());
  for (std::size_t k = 0; k < arcs.size(); ++k) {
    EXPECT_EQ(read.problem.arcs[k].from, arcs[k].from);
    EXPECT_EQ(read.problem.arcs[k].to, arcs[k].to);
    EXPECT_EQ(read.problem.arcs[k].cost, arcs[k].cost);
    EXPECT_EQ(read.problem.arcs[k].capacity, arcs[k].capacity);
  }
  EXPECT_EQ(read.problem.source, 1);
  EXPECT_EQ(read.problem.sink, 2);
  EXPECT_EQ(read.problem.demand, 7);
}

// relax writes its verdict, capsweep reads it back.
TEST(Exchange, AnswerWrittenReadsBackTheSame) {
  const Answer a{1, 0.000154, 0.25, 185.0};
  const std::string text = format_answer(a);
  EXPECT_EQ(text, "1\n0.000154\n0.250000\n185.000000\n");
  const std::optional<Answer> back = parse_answer(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->is_feas, 1);
  EXPECT_DOUBLE_EQ(back->elapsed_time, 0.000154);
  EXPECT_DOUBLE_EQ(back->cpu_time, 0.25);
  EXPECT_DOUBLE_EQ(back->opt_cost, 185.0);
  EXPECT_FALSE(parse_answer("1\n0.5\n"));
  EXPECT_EQ(parse_answer("0x2\n0\n0\n0\n")->is_feas, 2);  // "%i" reads hexadecimal
  EXPECT_EQ(std::string(kPathLFile), "PATH.L");
}
