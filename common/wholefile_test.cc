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

TEST(WholeFile, WriteAndFinishNeedsAHandleAndRoomOnTheDisk) {
  File none;
  EXPECT_FALSE(write_and_finish(none, "text"));
  File full = open_file("/dev/full", "w");
  if (!full) GTEST_SKIP() << "no /dev/full";
  EXPECT_FALSE(write_and_finish(full, "a few bytes, kept in the buffer until the close"));
}

TEST(WholeFile, WriteTextFileWritesAllOrNamesTheFile) {
  const std::string name = testing::TempDir() + "wholefile_text.txt";
  EXPECT_FALSE(write_text_file(name, "two\nlines\n"));
  EXPECT_EQ(read_whole_file(name), "two\nlines\n");
  std::remove(name.c_str());
  if (!open_file("/dev/full", "w")) GTEST_SKIP() << "no /dev/full";
  EXPECT_EQ(write_text_file("/dev/full", std::string(100000, 'x')).text(), "can not write /dev/full");
  EXPECT_EQ(write_text_file(testing::TempDir(), "a directory").text(), "can not write " + testing::TempDir());
}
