#include "every_core.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace capplan {

bool on_every_core(std::size_t n, const std::function<bool()>& stop, const std::function<void(std::size_t)>& each) {
  std::atomic<std::size_t> next{0};
  std::atomic<bool> ended{false}, failed{false};
  std::mutex failure_mutex;
  std::exception_ptr failure;
  const auto work = [&] {
    try {
      while (!ended.load() && !failed.load()) {
        const std::size_t i = next.fetch_add(1);
        if (i >= n) return;
        if (stop && stop()) {
          ended.store(true);
          return;
        }
        each(i);
      }
    } catch (...) {
      std::lock_guard lock(failure_mutex);
      if (!failure) failure = std::current_exception();
      failed.store(true);
    }
  };
  const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t n_thread = std::max<std::size_t>(1, std::min(cores, n));
  {
    std::vector<std::jthread> threads;
    for (std::size_t t = 1; t < n_thread; ++t) threads.emplace_back(work);
    work();
  }
  if (failure) std::rethrow_exception(failure);
  return ended.load();
}

}  // namespace capplan
