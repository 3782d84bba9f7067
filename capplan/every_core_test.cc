#include "every_core.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace capplan {
namespace {

TEST(OnEveryCore, WorksOnEveryIndexOnce) {
  for (std::size_t n : {0u, 1u, 2u, 97u}) {
    std::vector<std::atomic<int>> seen(n);
    EXPECT_FALSE(on_every_core(n, {}, [&](std::size_t i) { ++seen[i]; }));
    for (std::size_t i = 0; i < n; ++i) EXPECT_EQ(seen[i].load(), 1) << "index " << i << " of " << n;
  }
}

TEST(OnEveryCore, AStopEndsTheHandingOutAndSaysSo) {
  std::atomic<int> asked{0}, worked{0};
  const bool stopped = on_every_core(
      1000, [&] { return ++asked > 10; }, [&](std::size_t) { ++worked; });
  EXPECT_TRUE(stopped);
  EXPECT_LE(worked.load(), 10);
  EXPECT_LT(worked.load(), 1000);
}

TEST(OnEveryCore, WhatTheWorkThrowsComesBackAfterEveryThreadIsDone) {
  std::atomic<int> worked{0};
  EXPECT_THROW(on_every_core(50, {},
                             [&](std::size_t i) {
                               ++worked;
                               if (i == 3) throw std::runtime_error("no");
                             }),
               std::runtime_error);
  EXPECT_GE(worked.load(), 4);
}

}  // namespace
}  // namespace capplan
