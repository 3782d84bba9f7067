#include "relax_output.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "textio.h"

using studyfiles::RelaxProblem;

namespace {

RelaxProblem two_route_problem() {
  RelaxProblem p;
  p.node_count = 12;
  p.source = 3;
  p.sink = 12;
  p.demand = 9;
  return p;
}

RelaxSolution two_paths(bool feasible, long long routed) {
  RelaxSolution s;
  s.feasible = feasible;
  s.routed = routed;
  s.cost = 97;
  s.paths = {{5, {3, 7, 12}}, {routed - 5, {3, 12}}};
  return s;
}

std::string file_text(const std::string& name) {
  std::string text, line;
  File f = open_file(name, "r");
  while (f && read_line(f.get(), line)) text += line + "\n";
  return text;
}

class AnswerFiles : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "relax_output.XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern + "/";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::size_t entries() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir_), {}));
  }
  std::string dir_;
};

}  // namespace

TEST(AnswerTexts, PathReportAndVerdict) {
  EXPECT_EQ(path_out_text(two_route_problem(), two_paths(true, 9)),
            "FOR SPAN CUT 3 TO 12 DEMAND 9\n"
            "PATH\n5 CHANNELS\n3\n7\n12\n-1\n"
            "PATH\n4 CHANNELS\n3\n12\n-1\n"
            "TOTAL_BANDWIDTH_RESTORED= 9\n"
            "FEASIBLE COST 97\n");
  const std::string partial = path_out_text(two_route_problem(), two_paths(false, 7));
  EXPECT_EQ(partial.substr(partial.find("TOTAL")),
            "TOTAL_BANDWIDTH_RESTORED= 7\nINFEASIBLE: 7 OF 9 ROUTED, COST 97\n");
  EXPECT_EQ(temp_out_text(two_paths(false, 7), 0.0012345, 0.5), "0\n0.001234\n0.500000\n97.000000\n");
  EXPECT_EQ(temp_out_text(two_paths(true, 9), 2, 1), "1\n2.000000\n1.000000\n97.000000\n");
  EXPECT_EQ(summary_line(two_route_problem(), two_paths(false, 7)),
            "relax: infeasible: 7 of 9 routed from node 3 to node 12 on 2 paths, cost 97\n");
}

TEST_F(AnswerFiles, BothWrittenWhole) {
  ASSERT_EQ(write_answer_files(dir_ + "PATH.OUT", "paths\n", dir_ + "TEMP.OUT", "verdict\n"), "");
  EXPECT_EQ(file_text(dir_ + "PATH.OUT"), "paths\n");
  EXPECT_EQ(file_text(dir_ + "TEMP.OUT"), "verdict\n");
  EXPECT_EQ(entries(), 2u);
  struct stat st {};
  ASSERT_EQ(::stat((dir_ + "TEMP.OUT").c_str(), &st), 0);
  EXPECT_NE(st.st_mode & S_IRGRP, 0u) << "a temporary file's private mode was kept";
  // A second run replaces both.
  ASSERT_EQ(write_answer_files(dir_ + "PATH.OUT", "new paths\n", dir_ + "TEMP.OUT", "new verdict\n"), "");
  EXPECT_EQ(file_text(dir_ + "PATH.OUT"), "new paths\n");
  EXPECT_EQ(file_text(dir_ + "TEMP.OUT"), "new verdict\n");
}

TEST_F(AnswerFiles, NeitherWrittenWhenOneCannotBe) {
  std::filesystem::create_directory(dir_ + "TEMP.OUT");
  std::filesystem::create_directory(dir_ + "TEMP.OUT/keep");
  const std::string error = write_answer_files(dir_ + "PATH.OUT", "paths\n", dir_ + "TEMP.OUT", "verdict\n");
  EXPECT_EQ(error, "cannot write " + dir_ + "TEMP.OUT: Is a directory");
  EXPECT_FALSE(std::filesystem::exists(dir_ + "PATH.OUT"));
  EXPECT_EQ(entries(), 1u) << "a temporary file was left behind";

  const std::string missing = dir_ + "no such folder/";
  EXPECT_NE(write_answer_files(missing + "PATH.OUT", "p\n", missing + "TEMP.OUT", "v\n"), "");
  EXPECT_EQ(entries(), 1u);
}
