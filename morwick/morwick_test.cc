#include "morwick.h"

#include <gtest/gtest.h>

TEST(OutputPrefix, CutsBeforeTheFirstDot) {
  EXPECT_EQ(output_prefix("ring.net"), "ring");
  EXPECT_EQ(output_prefix("net.dat.old"), "net");
  EXPECT_EQ(output_prefix(".ring.net"), "");
  EXPECT_EQ(output_prefix("ring"), "ring");
  EXPECT_EQ(output_prefix("ring."), "ring");
}
