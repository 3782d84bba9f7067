#include "wholefile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

TEST(WholeFile, ReadsEveryByteAndRefusesWhatIsNoFile) {
  const std::string name = testing::TempDir() + "wholefile_test.txt";
  std::string bytes(200000, 'x');
  bytes[5] = '\0';
  bytes += "\r\nlast";
  {
    File out = open_file(name, "wb");
    ASSERT_TRUE(out);
    std::fwrite(bytes.data(), 1, bytes.size(), out.get());
    EXPECT_TRUE(finish_writing(out));
  }
  EXPECT_EQ(read_whole_file(name), bytes);
  std::remove(name.c_str());
  EXPECT_EQ(read_whole_file(name), std::nullopt);
  EXPECT_EQ(read_whole_file(testing::TempDir()), std::nullopt);  // a directory
}

TEST(WholeFile, FinishWritingNoticesAFullDisk) {
  File full = open_file("/dev/full", "w");
  if (!full) GTEST_SKIP() << "no /dev/full";
  std::fputs("lost", full.get());
  EXPECT_FALSE(finish_writing(full));
}
