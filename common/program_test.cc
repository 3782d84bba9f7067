#include "program.h"

#include <gtest/gtest.h>

#include <new>
#include <string>

namespace {

int exhausts_memory(int, char**) { throw std::bad_alloc(); }
int answers_status(int argc, char**) { return argc + 40; }

}  // namespace

TEST(RunProgram, ExhaustedMemoryIsReportedWithStatusOne) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(run_program(0, nullptr, exhausts_memory), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "out of memory\n");
}

TEST(RunProgram, AProgramThatEndsGivesItsOwnStatus) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(run_program(2, nullptr, answers_status), 42);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
