#include "path_report.h"
#include "shell.h"

#include <gtest/gtest.h>

using studyfiles::Node;
using studyfiles::NodeList;

namespace {

NodeList names_a_to_l() {
  NodeList names;
  for (char c = 'A'; c <= 'L'; ++c) {
    Node node;
    node.name = std::string(1, c) + c;
    names.nodes.push_back(node);
  }
  return names;
}

TEST(CapsweepPathReport, PathsGetNodeNames) {
  std::optional<PathReport> r = convert_report(
      "FOR SPAN CUT 1 TO 2 DEMAND 8\nPATH\n5 CHANNELS\n3\n7\n12\n-1\nPATH\n3 CHANNELS\n1\n4\n2\n-1\n"
      "TOTAL_BANDWIDTH_RESTORED= 8\nFEASIBLE COST 31\n",
      names_a_to_l());
  ASSERT_TRUE(r);
  EXPECT_EQ(r->from, 1);
  EXPECT_EQ(r->to, 2);
  const std::string body =
      "BW=5 PATH=( CC GG LL)\n"
      "BW=3 PATH=( AA DD BB)\n"
      "TOTAL_BANDWIDTH_RESTORED=8\n"
      "FEASIBLE COST 31\n\n";
  EXPECT_EQ(r->echo, body);
  EXPECT_EQ(r->path_l, "FOR SPAN CUT AA-BB, RESTORATION PATHS FOUND:\n" + body);
}

TEST(CapsweepPathReport, NoPathsGivesTheTotalAndTheExtraLine) {
  std::optional<PathReport> r =
      convert_report("FOR SPAN CUT 2 TO 1 DEMAND 4\nTOTAL_BANDWIDTH_RESTORED= 0\n\n  INFEASIBLE: 0 OF 4\n", names_a_to_l());
  ASSERT_TRUE(r);
  EXPECT_EQ(r->echo, "TOTAL_BANDWIDTH_RESTORED=0\nINFEASIBLE: 0 OF 4\n\n");
  EXPECT_EQ(r->path_l, "FOR SPAN CUT BB-AA, RESTORATION PATHS FOUND:\n" + r->echo);
}

TEST(CapsweepPathReport, AReportThatEndsEarlyIsWrittenAsFarAsItGoes) {
  EXPECT_EQ(convert_report("FOR SPAN CUT 1 TO 2 DEMAND 8\nPATH\n5 CHANNELS\n3\n7", names_a_to_l())->echo,
            "BW=5 PATH=( CC GG)\n");
  EXPECT_EQ(convert_report("FOR SPAN CUT 1 TO 2 DEMAND 8\nPATH\n5 CHANNELS\n3\n-1\n", names_a_to_l())->echo,
            "BW=5 PATH=( CC)\n");
  // Right after the total: no extra line.
  EXPECT_EQ(convert_report("FOR SPAN CUT 1 TO 2 X\nTOTAL_BANDWIDTH_RESTORED= 3", names_a_to_l())->echo,
            "TOTAL_BANDWIDTH_RESTORED=3\n");
  EXPECT_EQ(convert_report("FOR SPAN CUT 1 TO 2 X\n", names_a_to_l())->echo, "");
}

TEST(CapsweepPathReport, UnnamedNodesShowTheirNumbersAndLongLinesStayWhole) {
  const std::string extra(600, 'z');
  std::optional<PathReport> r = convert_report(
      "FOR SPAN CUT 1 TO 40 X\nPATH\n2 CHANNELS\n1\n13\n40\n-1\nTOTAL_BANDWIDTH_RESTORED= 2\n" + extra + "\n",
      names_a_to_l());
  ASSERT_TRUE(r);
  EXPECT_EQ(r->path_l, "FOR SPAN CUT AA-40, RESTORATION PATHS FOUND:\nBW=2 PATH=( AA 13 40)\n"
                       "TOTAL_BANDWIDTH_RESTORED=2\n" + extra + "\n\n");
}

TEST(CapsweepPathReport, AFirstLineWithoutTheEndNodesIsRefused) {
  EXPECT_FALSE(convert_report("", names_a_to_l()));
  EXPECT_FALSE(convert_report("FOR SPAN CUT one TO 2\n", names_a_to_l()));
  EXPECT_FALSE(convert_report("PATH\n5 CHANNELS\n", names_a_to_l()));
}

TEST(CapsweepPathReport, ShellWordsForTheCutDirectory) {
  EXPECT_EQ(cut_directory_word("net.dat"), "net.dat.ls");
  EXPECT_EQ(cut_directory_word("-x.dat"), "./-x.dat.ls");
  EXPECT_EQ(cut_directory_word("my net;rm x"), "'my net;rm x.ls'");
  EXPECT_EQ(path_word("net.dat.ls/AA_BBcut.l"), "net.dat.ls/AA_BBcut.l");
}

}  // namespace
