#include "textio.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

std::string temp_file(const std::string& name, const std::string& bytes) {
  std::string path = testing::TempDir() + name;
  File f = open_file(path, "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f.get());
  return path;
}

}  // namespace

TEST(ReadLine, LinesOfAnyLengthAndAMissingLastLineFeed) {
  std::string long_line(10000, 'x');
  std::string path = temp_file("read_line", long_line + "\n\nlast");
  File f = open_file(path, "r");
  std::string line;
  ASSERT_TRUE(read_line(f.get(), line));
  EXPECT_EQ(line, long_line);
  ASSERT_TRUE(read_line(f.get(), line));
  EXPECT_EQ(line, "");
  ASSERT_TRUE(read_line(f.get(), line));
  EXPECT_EQ(line, "last");
  EXPECT_FALSE(read_line(f.get(), line));
  std::remove(path.c_str());
}

TEST(ReadLine, BufferFormMatchesFileForm) {
  std::string text = "a\r\nb\n\nc";
  std::size_t pos = 0;
  std::string line;
  std::vector<std::string> lines;
  while (read_line(text, pos, line)) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"a\r", "b", "", "c"}));
}

TEST(SameFile, SameNameOrSameInode) {
  std::string a = temp_file("same_a", "x");
  std::string b = temp_file("same_b", "y");
  EXPECT_TRUE(same_file(a, a));
  EXPECT_FALSE(same_file(a, b));
  std::string link = testing::TempDir() + "same_link";
  std::remove(link.c_str());
  ASSERT_EQ(::link(a.c_str(), link.c_str()), 0);
  EXPECT_TRUE(same_file(a, link));
  EXPECT_FALSE(same_file(a, testing::TempDir() + "does_not_exist"));
  for (const std::string& p : {a, b, link}) std::remove(p.c_str());
}
