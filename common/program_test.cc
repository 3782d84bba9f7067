#include "program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "version.h"

namespace {

int exhausts_memory(int, char**) { throw std::bad_alloc(); }
int answers_status(int argc, char**) { return argc + 40; }
int throws_failure(int, char**) { throw std::runtime_error("the solver gave up"); }
int throws_anything(int, char**) { throw 7; }

const ProgramInfo kInfo{"tool", "usage: tool [--flag] FILE\n  --flag  does a thing\n"};

struct Outcome {
  int status;
  std::string out, err;
};

Outcome run(std::vector<std::string> args, int (*program)(int, char**)) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  const int status = run_program(static_cast<int>(argv.size()), argv.data(), kInfo, program);
  std::string out = testing::internal::GetCapturedStdout();
  return {status, out, testing::internal::GetCapturedStderr()};
}

}  // namespace

TEST(RunProgram, ExhaustedMemoryIsReportedWithStatusOne) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(run_program(0, nullptr, exhausts_memory), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "out of memory\n");
}

TEST(RunProgram, AProgramThatEndsGivesItsOwnStatus) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(run_program(2, nullptr, answers_status), 42);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(RunProgram, AnyFailureIsOneLineAndStatusOne) {
  Outcome r = run({"tool", "in.txt"}, throws_failure);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "tool: the solver gave up\n");
  r = run({"tool"}, throws_anything);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "tool: an unexpected failure\n");
  r = run({"tool"}, exhausts_memory);
  EXPECT_EQ(r.err, "out of memory\n");
  // Without ProgramInfo, the program is named by its file name.
  std::string path = "/usr/bin/other";
  char* argv[] = {path.data(), nullptr};
  testing::internal::CaptureStderr();
  EXPECT_EQ(run_program(1, argv, throws_failure), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "other: the solver gave up\n");
}

TEST(RunProgram, HelpAndVersionAnswerBeforeTheProgramRuns) {
  for (const char* help : {"--help", "-h"}) {
    const Outcome r = run({"tool", "--flag", help, "--version"}, throws_failure);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kInfo.help);
    EXPECT_EQ(r.err, "");
  }
  const Outcome r = run({"tool", "a", "--version"}, throws_failure);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "tool (meshrestore) " + std::string(toolkit_version()) + "\n");
  EXPECT_EQ(r.err, "");
  // After "--" they are names, which the program sees.
  EXPECT_EQ(run({"tool", "--", "--help"}, answers_status).status, 43);
}

TEST(Version, StartsWithTheProjectVersion) {
  const std::string v = toolkit_version();
  ASSERT_FALSE(v.empty());
  // "1.2.3", then "+" and what git described, when built from a checkout.
  const std::string base = v.substr(0, v.find('+'));
  EXPECT_EQ(std::count(base.begin(), base.end(), '.'), 2) << v;
  EXPECT_EQ(v.find(' '), std::string::npos) << v;
  EXPECT_EQ(version_line("capplan"), "capplan (meshrestore) " + v);
}
