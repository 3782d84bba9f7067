// The time limit of a whole capplan run, and the progress it shows on the
// way. The clock starts with the program; every phase (the linear program,
// the first plan's trimming, the search) asks how much of the limit is left
// for it. The last share of the limit is kept for what a found plan always
// gets: its final trimming and its proof.
#pragma once

#include <chrono>
#include <cstdio>

#include "linear_model.h"

namespace capplan {

class RunClock {
 public:
  using Clock = std::chrono::steady_clock;

  // A tenth of the limit, at least half a second and at most 30 s (never
  // more than half the limit), is kept for the proof.
  static double proof_reserve(double limit);

  RunClock(double limit, Clock::time_point start = Clock::now());

  double limit() const { return limit_; }
  double elapsed() const;
  // Seconds left for the linear program and the search: up to the limit less
  // the proof's reserve, never below 0.
  double search_left() const;
  bool search_over() const { return search_left() <= 0; }
  // A clock for one step of the search: the same start, its search ending
  // once `fraction` of the search's time left is spent, with no reserve of
  // its own: the step's limit is the end of its search, within this
  // clock's.
  RunClock share(double fraction) const;

 private:
  RunClock(double limit, double reserve, Clock::time_point start);

  double limit_;
  double reserve_;
  Clock::time_point start_;
};

// Progress lines on standard error, e.g.
//   capplan: 12.3 s: LP bound 364211.34
//   capplan: 20.1 s: plan cost 364230, lower bound 364212, gap 0.00%
// at most one every `kEvery` seconds, and none in the first `kEvery` seconds
// of the run: a short run says nothing. What comes too soon is kept, and
// shown by a later call once its time has come, unless newer news replaced
// it. Off unless enabled (a terminal on standard error, or --progress).
class Progress {
 public:
  static constexpr double kEvery = 3;

  Progress(const RunClock& clock, bool enabled, std::FILE* out = stderr) : clock_(clock), on_(enabled), out_(out) {}

  void lp_bound(double bound);
  // A plan of this cost (a new best) against the best lower bound known
  // (0: none yet); the same plan and bound again are no news.
  void plan(long long cost, long long bound);
  // What a search tells of its best solution's cost (infinity while it has
  // none) and its lower bound, beside the plan and bound already told: the
  // better of each is shown.
  void search(double best, double bound);
  // Has a MIP search tick and tell its news here.
  void follow(lpsolve::MipOptions& options);
  // Shows a kept line once its time has come.
  void tick();
  int lines() const { return lines_; }
  // The plan's cost and bound last told, shown or kept.
  long long plan_cost() const { return plan_cost_; }
  long long plan_bound() const { return plan_bound_; }

 private:
  const RunClock& clock_;
  bool on_;
  std::FILE* out_;
  double last_ = -1;  // when the last line was shown (-1: none yet)
  bool lp_kept_ = false, plan_kept_ = false;  // the LP line goes first
  bool told_ = false;                         // of a plan
  double lp_ = 0;
  long long plan_cost_ = 0, plan_bound_ = 0;
  int lines_ = 0;
};

}  // namespace capplan
