#include "strprintf.h"

#include <gtest/gtest.h>

#include <string>

TEST(Strprintf, FormatsLikePrintfAtAnyLength) {
  EXPECT_EQ(strprintf("%3d|%6.2f%%", 7, 12.345), "  7| 12.35%");
  std::string long_word(1000, 'x');
  std::string text = strprintf("<%s>", long_word.c_str());
  EXPECT_EQ(text.size(), 1002u);
  EXPECT_EQ(text.back(), '>');
  append_printf(text, "%d", 42);
  EXPECT_EQ(text.substr(1000), "x>42");
}
