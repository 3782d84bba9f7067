// The run's clock and its progress lines: the proof's reserve, the time left
// for the search, and how often and in what order the lines come.
#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

#include "run_clock.h"

namespace capplan {

namespace {

using Clock = RunClock::Clock;

Clock::time_point ago(double seconds) {
  return Clock::now() - std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

// A temporary file for progress lines, closed when the test ends.
class Captured {
 public:
  Captured() : file_(std::tmpfile()) {}
  Captured(const Captured&) = delete;
  Captured& operator=(const Captured&) = delete;
  ~Captured() {
    if (file_ != nullptr) std::fclose(file_);
  }
  std::FILE* file() const { return file_; }

 private:
  std::FILE* file_;
};

// What was written to it.
std::string written(const Captured& out) {
  std::FILE* file = out.file();
  std::fflush(file);
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  return text;
}

// "capplan: 12.3 s: ..." with the seconds left out.
std::string without_times(const std::string& text) {
  std::string out;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    std::string line = text.substr(at, end - at);
    const std::size_t s = line.find(" s: ");
    if (line.rfind("capplan: ", 0) == 0 && s != std::string::npos) line = "capplan: " + line.substr(s + 4);
    out += line + "\n";
    at = end == std::string::npos ? text.size() : end + 1;
  }
  return out;
}

TEST(RunClock, TheProofKeepsATenthOfTheLimitWithinBounds) {
  EXPECT_DOUBLE_EQ(RunClock::proof_reserve(5), 0.5);
  EXPECT_DOUBLE_EQ(RunClock::proof_reserve(30), 3);
  EXPECT_DOUBLE_EQ(RunClock::proof_reserve(300), 30);
  EXPECT_DOUBLE_EQ(RunClock::proof_reserve(3600), 30);
  EXPECT_DOUBLE_EQ(RunClock::proof_reserve(2), 0.5);
  EXPECT_DOUBLE_EQ(RunClock::proof_reserve(0.5), 0.25);  // never more than half
}

TEST(RunClock, TheSearchEndsBeforeTheLimitByTheReserve) {
  const RunClock fresh(100);
  EXPECT_GT(fresh.search_left(), 89);
  EXPECT_LE(fresh.search_left(), 90);
  EXPECT_FALSE(fresh.search_over());
  const RunClock late(100, ago(91));
  EXPECT_EQ(late.search_left(), 0);
  EXPECT_TRUE(late.search_over());
  EXPECT_GE(late.elapsed(), 91);
  EXPECT_LT(late.elapsed(), late.limit());
}

TEST(RunClock, AShareEndsWithinTheSearchOfTheWhole) {
  const RunClock whole(100, ago(30));  // 60 s of search left
  const RunClock part = whole.share(0.25);
  EXPECT_NEAR(part.elapsed(), whole.elapsed(), 1);
  EXPECT_NEAR(part.search_left(), 15, 1);
  EXPECT_LE(part.limit(), whole.limit() - RunClock::proof_reserve(whole.limit()));
  EXPECT_NEAR(part.limit(), part.elapsed() + part.search_left(), 1);  // no reserve of its own
  const RunClock over(10, ago(20));
  EXPECT_TRUE(over.share(0.5).search_over());
}

TEST(Progress, AShortRunSaysNothing) {
  Captured out;
  ASSERT_NE(out.file(), nullptr);
  // A run in its first seconds however slow the machine: its start ahead.
  const RunClock clock(60, ago(-3600));
  Progress progress(clock, true, out.file());
  progress.lp_bound(12.5);
  progress.plan(14, 13);
  progress.tick();
  EXPECT_EQ(written(out), "");
  EXPECT_EQ(progress.lines(), 0);
}

TEST(Progress, AtMostOneLineEveryFewSeconds) {
  Captured out;
  ASSERT_NE(out.file(), nullptr);
  const RunClock clock(60, ago(10));
  Progress progress(clock, true, out.file());
  progress.plan(20, 0);  // a first plan before the linear program
  progress.lp_bound(12.5);
  progress.plan(14, 13);  // too soon: kept
  progress.plan(13, 13);  // replaces the kept one
  progress.tick();
  EXPECT_EQ(without_times(written(out)), "capplan: plan cost 20, no lower bound yet\n");
  EXPECT_EQ(progress.lines(), 1);
}

TEST(Progress, TheLpBoundGoesBeforeAPlan) {
  Captured out;
  ASSERT_NE(out.file(), nullptr);
  const RunClock clock(60, ago(10));
  Progress progress(clock, true, out.file());
  progress.lp_bound(12.5);
  progress.plan(13, 13);
  EXPECT_EQ(without_times(written(out)), "capplan: LP bound 12.50\n");
  EXPECT_EQ(progress.lines(), 1);
}

TEST(Progress, OffMeansNoLines) {
  Captured out;
  ASSERT_NE(out.file(), nullptr);
  const RunClock clock(60, ago(10));
  Progress progress(clock, false, out.file());
  progress.lp_bound(12.5);
  progress.plan(13, 13);
  progress.tick();
  EXPECT_EQ(written(out), "");
}

TEST(Progress, TheGapIsInPercentOfTheBound) {
  Captured out;
  ASSERT_NE(out.file(), nullptr);
  const RunClock clock(60, ago(10));
  Progress progress(clock, true, out.file());
  progress.plan(110, 100);
  EXPECT_EQ(without_times(written(out)), "capplan: plan cost 110, lower bound 100, gap 10.00%\n");
}

TEST(Progress, ASearchShowsTheBetterOfItsNewsAndThePlanInHand) {
  Captured out;
  ASSERT_NE(out.file(), nullptr);
  const RunClock clock(600, ago(10));
  Progress progress(clock, true, out.file());
  const double none = std::numeric_limits<double>::infinity();
  progress.search(none, 80.2);  // nothing in hand yet: no news
  EXPECT_EQ(progress.lines(), 0);
  progress.plan(100, 0);
  EXPECT_EQ(without_times(written(out)), "capplan: plan cost 100, no lower bound yet\n");
  progress.search(none, 90.2);  // a bound, and no solution yet
  EXPECT_EQ(progress.plan_cost(), 100);
  EXPECT_EQ(progress.plan_bound(), 91);
  progress.search(120, 95);  // a worse solution: the plan stays
  EXPECT_EQ(progress.plan_cost(), 100);
  EXPECT_EQ(progress.plan_bound(), 95);
  progress.search(97.0000001, 1e-9);  // a better one; the bound stays
  EXPECT_EQ(progress.plan_cost(), 97);
  EXPECT_EQ(progress.plan_bound(), 95);
  progress.search(-1e50, -1e50);  // the solver's "none"
  progress.search(1e50, 1e50);
  EXPECT_EQ(progress.plan_cost(), 97);
  EXPECT_EQ(progress.plan_bound(), 95);
  progress.search(96, 96.5);  // a bound above the plan is the plan's own
  EXPECT_EQ(progress.plan_cost(), 96);
  EXPECT_EQ(progress.plan_bound(), 96);
  EXPECT_EQ(progress.lines(), 1);  // the rest is kept: too soon to show
}

TEST(Progress, ASearchThatIsFollowedTicksAndTells) {
  Captured out;
  ASSERT_NE(out.file(), nullptr);
  const RunClock clock(600, ago(10));
  Progress progress(clock, true, out.file());
  lpsolve::MipOptions options;
  progress.follow(options);
  ASSERT_TRUE(options.tick && options.improved);
  options.improved(110, 99.5);
  EXPECT_EQ(without_times(written(out)), "capplan: plan cost 110, lower bound 100, gap 10.00%\n");
}

}  // namespace

}  // namespace capplan
