#include "pair_loop.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

#include "orders.h"
#include "pair_bound.h"

using studyfiles::EdgeRecord;

namespace dualsweep {

namespace {

// Pairs a thread takes at a time: few enough to share the last ones out
// evenly, enough to keep the counter quiet.
constexpr std::size_t kChunk = 16;

// Counts the pairs done and, now and then, says so.
class Progress {
 public:
  Progress(std::FILE* out, std::size_t total) : out_(out), total_(total), start_(Clock::now()), last_(start_) {}

  void add(std::size_t done) {
    const std::size_t now_done = done_ += done;
    if (out_ == nullptr) return;
    std::unique_lock lock(mutex_, std::try_to_lock);
    if (!lock.owns_lock()) return;
    const Clock::time_point now = Clock::now();
    if (std::chrono::duration<double>(now - last_).count() < kProgressSeconds) return;
    last_ = now;
    std::fprintf(out_, "dualsweep: %zu of %zu pairs (%.0f%%), %.0f s\n", now_done, total_,
                 100.0 * static_cast<double>(now_done) / static_cast<double>(total_),
                 std::chrono::duration<double>(now - start_).count());
    std::fflush(out_);
  }

 private:
  using Clock = std::chrono::steady_clock;
  std::FILE* out_;
  std::size_t total_;
  std::atomic<std::size_t> done_{0};
  std::mutex mutex_;
  Clock::time_point start_, last_;
};

}  // namespace

std::vector<studyfiles::DualSpan> single_cuts(const DualStudy& study) {
  std::vector<studyfiles::DualSpan> spans;
  PairSolver solver(study);
  for (int k = 1; k <= study.span_count(); ++k) {
    const EdgeRecord& r = study.span(k);
    spans.push_back({study.name_of(r.from), study.name_of(r.to), r.capacity, solver.single(k), r.cost});
  }
  return spans;
}

void solve_pairs(const DualStudy& study, const std::vector<SpanPair>& pairs, const PairOptions& options,
                 std::vector<studyfiles::DualRow>& rows) {
  rows.assign(pairs.size(), {});
  Progress counter(options.progress, pairs.size());
  std::atomic<std::size_t> next{0};
  std::mutex failure_mutex;
  std::exception_ptr failure;  // the first exception, such as running out of memory
  auto work = [&] {
    try {
      PairSolver solver(study);
      std::optional<PairBound> bound;
      if (options.bound) bound.emplace(study);
      for (;;) {
        const std::size_t start = next.fetch_add(kChunk);
        if (start >= pairs.size()) return;
        const std::size_t end = std::min(pairs.size(), start + kChunk);
        for (std::size_t p = start; p < end; ++p) {
          const auto [i, j] = pairs[p];
          const PairRestored r = solver.pair(i, j);
          rows[p] = studyfiles::DualRow{i, j, r.r_i, r.r_j, bound ? static_cast<double>(bound->bound(i, j)) : 0.0};
        }
        counter.add(end - start);
      }
    } catch (...) {
      std::lock_guard lock(failure_mutex);
      if (!failure) failure = std::current_exception();
      next = pairs.size();
    }
  };
  const std::size_t workers = std::max<std::size_t>(
      1, std::min<std::size_t>(static_cast<std::size_t>(std::max(options.threads, 1)), (pairs.size() + kChunk - 1) / kChunk));
  {
    std::vector<std::jthread> pool;
    for (std::size_t t = 1; t < workers; ++t) pool.emplace_back(work);
    work();
  }
  if (failure) std::rethrow_exception(failure);
}

}  // namespace dualsweep
