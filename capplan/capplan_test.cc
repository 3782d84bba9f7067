// The whole program with a stand-in for the solver: a solver that fails, or
// that proves a bound above a plan's cost, ends every kind of plan with a
// message and status 1, and nothing written.
#include "capplan.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cbc_mip.h"

namespace capplan {
namespace {

namespace fs = std::filesystem;

// A square A-B-C-D with the diagonal A-C, its path list, in a folder of its own.
class Study {
 public:
  Study() {
    std::string name = (fs::temp_directory_path() / "capplan_test.XXXXXX").string();
    if (mkdtemp(name.data()) != nullptr) dir_ = name;
    write("nodes.txt", "square\n1 A\n2 B\n3 C\n4 D\n");
    write("net.dat",
          "1\n4\n10\n1 1 2 1 0 2\n2 2 1 1 0 2\n3 2 3 1 0 1\n4 3 2 1 0 1\n5 3 4 1 0 2\n6 4 3 1 0 2\n"
          "7 4 1 1 0 1\n8 1 4 1 0 1\n9 1 3 3 0 1\n10 3 1 3 0 1\n");
    write("paths.txt", "paths\nA B C 45\nB C D 45\nA D 45\n");
  }
  ~Study() {
    std::error_code ignored;
    if (!dir_.empty()) fs::remove_all(dir_, ignored);
  }
  Study(const Study&) = delete;
  Study& operator=(const Study&) = delete;

  std::string path(const std::string& file) const { return (fs::path(dir_) / file).string(); }

 private:
  void write(const std::string& file, const std::string& text) { std::ofstream(path(file)) << text; }
  std::string dir_;
};

struct Outcome {
  int status;
  std::string out, err;
};

Outcome run(std::vector<std::string> args, const lpsolve::MipSolver& solve) {
  args.insert(args.begin(), "capplan");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  const int status = capplan_main(static_cast<int>(argv.size()), argv.data(), solve);
  std::string out = testing::internal::GetCapturedStdout();
  return {status, out, testing::internal::GetCapturedStderr()};
}

// The three kinds of plan, each writing a report beside the plan.
std::vector<std::vector<std::string>> every_kind(const Study& s) {
  const std::vector<std::string> files = {s.path("nodes.txt"), s.path("net.dat"), s.path("plan.dat")};
  std::vector<std::vector<std::string>> kinds = {{"--report", s.path("report.txt")},
                                                 {"--method", "pcycle", "--report", s.path("report.txt")},
                                                 {"--joint", s.path("paths.txt"), "--report", s.path("report.txt")}};
  for (auto& k : kinds) k.insert(k.end(), files.begin(), files.end());
  return kinds;
}

TEST(Capplan, PlansEveryKindWithTheRealSolver) {
  const Study s;
  for (const auto& args : every_kind(s)) {
    const Outcome r = run(args, lpsolve::solve_with_cbc);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("(optimal"), std::string::npos) << r.out;
    EXPECT_TRUE(fs::exists(s.path("plan.dat")));
    fs::remove(s.path("plan.dat"));
    fs::remove(s.path("report.txt"));
  }
}

TEST(Capplan, AFailingSolverEndsTheRunWithNothingWritten) {
  const Study s;
  const lpsolve::MipSolver failing = [](const lpsolve::LinearModel&, const lpsolve::MipOptions&) {
    return lpsolve::solver_failure("the solver failed: made up");
  };
  for (const auto& args : every_kind(s)) {
    const Outcome r = run(args, failing);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "capplan: the solver failed: made up; nothing written\n") << args[0];
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(fs::exists(s.path("plan.dat")));
    EXPECT_FALSE(fs::exists(s.path("report.txt")));
  }
}

TEST(Capplan, ABoundAboveThePlansCostIsAFaultNeverOptimal) {
  const Study s;
  // The real solver, its linear program's optimum told 1000 too high.
  const lpsolve::MipSolver overstating = [](const lpsolve::LinearModel& m, const lpsolve::MipOptions& o) {
    lpsolve::MipResult r = lpsolve::solve_with_cbc(m, o);
    if (o.relaxation_only && r.optimal) r.objective += 1000;
    return r;
  };
  for (const auto& args : every_kind(s)) {
    const Outcome r = run(args, overstating);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("capplan: the solver proved a lower bound of ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(": a fault of the solver; nothing written\n"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(fs::exists(s.path("plan.dat")));
  }
}

}  // namespace
}  // namespace capplan
