#include "run_clock.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "plan_bounds.h"

namespace capplan {

double RunClock::proof_reserve(double limit) {
  return std::min({std::max(0.1 * limit, 0.5), 30.0, 0.5 * limit});
}

RunClock::RunClock(double limit, Clock::time_point start)
    : limit_(limit), reserve_(proof_reserve(limit)), start_(start) {}

RunClock::RunClock(double limit, double reserve, Clock::time_point start)
    : limit_(limit), reserve_(reserve), start_(start) {}

RunClock RunClock::share(double fraction) const {
  return RunClock(elapsed() + std::clamp(fraction, 0.0, 1.0) * search_left(), 0, start_);
}

double RunClock::elapsed() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

double RunClock::search_left() const { return std::max(0.0, limit_ - reserve_ - elapsed()); }

void Progress::lp_bound(double bound) {
  lp_kept_ = on_;
  lp_ = bound;
  tick();
}

void Progress::plan(long long cost, long long bound) {
  // No news: the plan shown or kept last.
  if (told_ && cost == plan_cost_ && bound == plan_bound_) return;
  told_ = true;
  plan_kept_ = on_;
  plan_cost_ = cost;
  plan_bound_ = bound;
  tick();
}

void Progress::search(double best, double bound) {
  long long cost = told_ ? plan_cost_ : std::numeric_limits<long long>::max();
  constexpr double kLargest = 9e18;  // what a long long holds; beyond it a figure means "none"
  if (best >= 0 && best < kLargest) cost = std::min(cost, std::llround(best));
  if (cost == std::numeric_limits<long long>::max()) return;  // neither a plan nor a solution yet
  long long low = told_ ? plan_bound_ : 0;
  if (bound > 0 && bound < kLargest) low = std::max(low, whole_bound(bound));
  plan(cost, std::min(low, cost));
}

void Progress::follow(lpsolve::MipOptions& options) {
  options.tick = [this] { tick(); };
  options.improved = [this](double best, double bound) { search(best, bound); };
}

void Progress::tick() {
  if (!lp_kept_ && !plan_kept_) return;
  const double now = clock_.elapsed();
  if (now < kEvery || (last_ >= 0 && now - last_ < kEvery)) return;
  if (lp_kept_) {
    std::fprintf(out_, "capplan: %.1f s: LP bound %.2f\n", now, lp_);
    lp_kept_ = false;
  } else {
    const double gap = gap_percent(plan_cost_, static_cast<double>(plan_bound_));
    if (gap < 0)
      std::fprintf(out_, "capplan: %.1f s: plan cost %lld, no lower bound yet\n", now, plan_cost_);
    else
      std::fprintf(out_, "capplan: %.1f s: plan cost %lld, lower bound %lld, gap %.2f%%\n", now, plan_cost_,
                   plan_bound_, gap);
    plan_kept_ = false;
  }
  std::fflush(out_);
  last_ = now;
  ++lines_;
}

}  // namespace capplan
