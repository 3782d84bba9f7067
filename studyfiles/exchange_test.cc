#include "exchange.h"

#include <gtest/gtest.h>

#include "relax_input.h"

namespace studyfiles {

// capsweep writes the problem, relax reads it back: the same arcs, source,
// sink and demand, in today's layout.
TEST(Exchange, RelaxInputWrittenReadsBackTheSame) {
  const std::vector<RelaxInputArc> arcs = {{1, 2, 5, 0}, {2, 1, 5, 0}, {1, 3, 7, 4}, {3, 2, 1, 12}};
  const std::string text = format_relax_input(4, arcs, 1, 2, 7);
  EXPECT_EQ(text, "4\n4\n  1  1  2  5  0\n  2  2  1  5  0\n  3  1  3  7  4\n  4  3  2  1 12\n  1 -7\n  2  7\n3  0\n4  0\n");
  RelaxProblem read;
  const Error error = read_relax_input(text, kRelaxInputFile, read);
  ASSERT_FALSE(error) << error.text();
  EXPECT_EQ(read.node_count, 4);
  ASSERT_EQ(read.arcs.size(), arcs.size());
  for (std::size_t k = 0; k < arcs.size(); ++k) {
    EXPECT_EQ(read.arcs[k].from, arcs[k].from);
    EXPECT_EQ(read.arcs[k].to, arcs[k].to);
    EXPECT_EQ(read.arcs[k].cost, arcs[k].cost);
    EXPECT_EQ(read.arcs[k].capacity, arcs[k].capacity);
  }
  EXPECT_EQ(read.source, 1);
  EXPECT_EQ(read.sink, 2);
  EXPECT_EQ(read.demand, 7);
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

namespace {

PathOut two_paths_out() {
  PathOut out;
  out.source = 3;
  out.sink = 12;
  out.demand = 9;
  out.paths = {{5, {3, 7, 12}}, {4, {3, 12}}};
  out.routed = 9;
  out.feasible = true;
  out.cost = 97;
  return out;
}

PathOut read_back(const std::string& text) {
  PathOutRead read;
  const Error error = read_path_out(text, read);
  EXPECT_FALSE(error) << error.text();
  EXPECT_FALSE(read.cut_short);
  EXPECT_TRUE(read.has_total);
  return read.record;
}

std::string letter_name(int node) { return node >= 1 && node <= 26 ? std::string(2, static_cast<char>('A' + node - 1)) : std::to_string(node); }

}  // namespace

// relax writes its paths, capsweep reads them back: the same record, for
// several paths, a trial that does not route the whole demand, and none.
TEST(Exchange, PathOutWrittenReadsBackTheSame) {
  const PathOut feasible = two_paths_out();
  const std::string text = format_path_out(feasible);
  EXPECT_EQ(text,
            "FOR SPAN CUT 3 TO 12 DEMAND 9\n"
            "PATH\n5 CHANNELS\n3\n7\n12\n-1\n"
            "PATH\n4 CHANNELS\n3\n12\n-1\n"
            "TOTAL_BANDWIDTH_RESTORED= 9\n"
            "FEASIBLE COST 97\n");
  EXPECT_EQ(read_back(text), feasible);

  PathOut partial = two_paths_out();
  partial.paths.pop_back();
  partial.routed = 5;
  partial.feasible = false;
  partial.cost = 31;
  const std::string partial_text = format_path_out(partial);
  EXPECT_EQ(partial_text.substr(partial_text.find("TOTAL")),
            "TOTAL_BANDWIDTH_RESTORED= 5\nINFEASIBLE: 5 OF 9 ROUTED, COST 31\n");
  EXPECT_EQ(read_back(partial_text), partial);

  PathOut none;
  none.source = 40;
  none.sink = 1;
  none.demand = 2147483648LL;  // the demand is read in 64 bits
  EXPECT_EQ(read_back(format_path_out(none)), none);
}

// What capsweep takes from a report that is not as relax writes it: as much
// as reads; only a first line without the end nodes is refused.
TEST(Exchange, PathOutReadAsFarAsItGoes) {
  PathOutRead read;
  ASSERT_FALSE(read_path_out("FOR SPAN CUT 1 - 2 whatever\nP\n5 CH\n3\n7", read));
  EXPECT_EQ(read.record.source, 1);
  EXPECT_EQ(read.record.sink, 2);
  EXPECT_EQ(read.record.demand, 0);
  EXPECT_EQ(read.record.paths, (std::vector<PathRecord>{{5, {3, 7}}}));
  EXPECT_TRUE(read.cut_short);
  EXPECT_FALSE(read.has_total);

  // The line after the total is kept as it stands; one that is not a verdict
  // leaves the verdict and cost unread.
  ASSERT_FALSE(read_path_out("FOR SPAN CUT 2 TO 1 DEMAND 4\nTOTAL_BANDWIDTH_RESTORED= 0\n\n  INFEASIBLE: 0 OF 4\n", read));
  EXPECT_TRUE(read.record.paths.empty());
  EXPECT_TRUE(read.has_total);
  EXPECT_EQ(read.record.demand, 4);
  EXPECT_EQ(read.closing_line, "INFEASIBLE: 0 OF 4\n");
  EXPECT_FALSE(read.record.feasible);
  EXPECT_EQ(read.record.cost, 0);

  ASSERT_FALSE(read_path_out("FOR SPAN CUT 1 TO 2\nTOTAL_BANDWIDTH_RESTORED= 3", read));
  EXPECT_TRUE(read.has_total);
  EXPECT_EQ(read.record.routed, 3);
  EXPECT_FALSE(read.closing_line);

  // A bandwidth beyond 32 bits ends the report before its path.
  ASSERT_FALSE(read_path_out("FOR SPAN CUT 1 TO 2\nPATH\n2147483648 CHANNELS\n1\n-1\n", read));
  EXPECT_TRUE(read.record.paths.empty());
  EXPECT_FALSE(read.cut_short);

  for (const char* text : {"", "FOR SPAN CUT one TO 2\n", "PATH\n5 CHANNELS\n", "FOR SPAN CUT 1 TO"}) {
    const Error error = read_path_out(text, read);
    EXPECT_EQ(error.text(), "PATH.OUT:1: expected FOR SPAN CUT and the two end nodes") << text;
  }
}

TEST(Exchange, PathLGivesTheNodesTheirNames) {
  PathOutRead read;
  ASSERT_FALSE(read_path_out(format_path_out(two_paths_out()), read));
  EXPECT_EQ(format_path_l(read, letter_name),
            "FOR SPAN CUT CC-LL, RESTORATION PATHS FOUND:\n"
            "BW=5 PATH=( CC GG LL)\n"
            "BW=4 PATH=( CC LL)\n"
            "TOTAL_BANDWIDTH_RESTORED=9\n"
            "FEASIBLE COST 97\n\n");
  EXPECT_EQ(format_path_l_title(read, letter_name), "FOR SPAN CUT CC-LL, RESTORATION PATHS FOUND:\n");
  ASSERT_FALSE(read_path_out("FOR SPAN CUT 1 TO 30\nPATH\n2 CHANNELS\n1\n30", read));
  EXPECT_EQ(format_path_l_lines(read, letter_name), "BW=2 PATH=( AA 30)\n");
}

// The verdict's first value reads as "%i" does: octal and hexadecimal too,
// nothing beyond the range of int; the others as "%lf".
TEST(Exchange, AnswerValuesReadAsScanfWould) {
  EXPECT_EQ(parse_answer("010 0 0 0")->is_feas, 8);
  EXPECT_EQ(parse_answer("  -0X1f\n1e-3\n0.5\n7")->is_feas, -31);
  EXPECT_DOUBLE_EQ(parse_answer("1 1e-3 0.5 7")->elapsed_time, 0.001);
  EXPECT_FALSE(parse_answer("4294967297\n0\n0\n0\n"));
  EXPECT_FALSE(parse_answer("x 0 0 0"));
  EXPECT_FALSE(parse_answer("0x 0 0 0"));  // the 0 is read, then x is no number
  EXPECT_FALSE(parse_answer("1 0 0 zero"));
}

}  // namespace studyfiles
