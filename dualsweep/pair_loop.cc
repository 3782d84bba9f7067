#include "pair_loop.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

#include "orders.h"
#include "pair_bound.h"

using studyfiles::EdgeRecord;

namespace {

// Pairs a thread takes at a time: few enough to share the last ones out
// evenly, enough to keep the counter quiet.
constexpr std::size_t kChunk = 16;

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

std::vector<studyfiles::DualRow> solve_pairs(const DualStudy& study, const std::vector<SpanPair>& pairs, int threads,
                                             bool bound) {
  std::vector<studyfiles::DualRow> rows(pairs.size());
  std::atomic<std::size_t> next{0};
  std::mutex failure_mutex;
  std::exception_ptr failure;
  auto work = [&] {
    try {
      PairSolver solver(study);
      std::optional<PairBound> lp;
      if (bound) lp.emplace(study);
      for (;;) {
        const std::size_t start = next.fetch_add(kChunk);
        if (start >= pairs.size()) return;
        const std::size_t end = std::min(pairs.size(), start + kChunk);
        for (std::size_t p = start; p < end; ++p) {
          const auto [i, j] = pairs[p];
          const PairRestored r = solver.pair(i, j);
          rows[p] = studyfiles::DualRow{i, j, r.r_i, r.r_j, lp ? lp->bound(i, j) : 0.0};
        }
      }
    } catch (...) {
      std::lock_guard lock(failure_mutex);
      if (!failure) failure = std::current_exception();
      next = pairs.size();
    }
  };
  const std::size_t workers = std::max<std::size_t>(1, std::min<std::size_t>(static_cast<std::size_t>(std::max(threads, 1)),
                                                                            (pairs.size() + kChunk - 1) / kChunk));
  {
    std::vector<std::jthread> pool;
    for (std::size_t t = 1; t < workers; ++t) pool.emplace_back(work);
    work();
  }
  if (failure) std::rethrow_exception(failure);
  return rows;
}
