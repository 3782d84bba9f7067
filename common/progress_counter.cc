#include "progress_counter.h"

#include <utility>

ProgressCounter::ProgressCounter(std::FILE* out, std::string program, std::string what, std::size_t total, double seconds)
    : out_(out),
      program_(std::move(program)),
      what_(std::move(what)),
      total_(total),
      seconds_(seconds),
      start_(Clock::now()),
      last_(start_) {}

void ProgressCounter::add(std::size_t done) {
  const std::size_t now_done = done_ += done;
  if (out_ == nullptr) return;
  std::unique_lock lock(mutex_, std::try_to_lock);
  if (!lock.owns_lock()) return;
  const Clock::time_point now = Clock::now();
  if (std::chrono::duration<double>(now - last_).count() < seconds_) return;
  last_ = now;
  std::fprintf(out_, "%s: %zu of %zu %s (%.0f%%), %.0f s\n", program_.c_str(), now_done, total_, what_.c_str(),
               total_ > 0 ? 100.0 * static_cast<double>(now_done) / static_cast<double>(total_) : 100.0,
               std::chrono::duration<double>(now - start_).count());
  std::fflush(out_);
}
