// Counts the work done by many threads and, now and then, says so on a
// stream: "NAME: 120 of 465 scenarios (26%), 9 s", at most once every few
// seconds, from whichever thread finds the stream free.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <mutex>
#include <string>

class ProgressCounter {
 public:
  // `out` may be null: then nothing is said. `what` names the units ("scenarios").
  ProgressCounter(std::FILE* out, std::string program, std::string what, std::size_t total, double seconds = 3.0);

  // Adds `done` units; thread-safe.
  void add(std::size_t done);

 private:
  using Clock = std::chrono::steady_clock;
  std::FILE* out_;
  std::string program_, what_;
  std::size_t total_;
  double seconds_;
  std::atomic<std::size_t> done_{0};
  std::mutex mutex_;
  Clock::time_point start_, last_;
};
