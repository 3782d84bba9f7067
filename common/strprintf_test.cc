#include "strprintf.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "wholefile.h"

TEST(Strprintf, FormatsLikePrintfAtAnyLength) {
  EXPECT_EQ(strprintf("%3d|%6.2f%%", 7, 12.345), "  7| 12.35%");
  std::string long_word(1000, 'x');
  std::string text = strprintf("<%s>", long_word.c_str());
  EXPECT_EQ(text.size(), 1002u);
  EXPECT_EQ(text.back(), '>');
  append_printf(text, "%d", 42);
  EXPECT_EQ(text.substr(1000), "x>42");
}

TEST(WholeFile, WritesAndReadsBackAndNamesTheFileOnFailure) {
  std::string name = testing::TempDir() + "wholefile_test.txt";
  std::string bytes("a\0b\nlast", 8);
  EXPECT_EQ(write_whole_file(name, bytes), "");
  std::string back;
  EXPECT_EQ(read_whole_file(name, back), "");
  EXPECT_EQ(back, bytes);
  std::remove(name.c_str());
  EXPECT_EQ(read_whole_file(name, back), "cannot read " + name + ": No such file or directory");
  EXPECT_EQ(write_whole_file("/nonexistent-dir/x", "y"), "cannot write /nonexistent-dir/x: No such file or directory");
}
