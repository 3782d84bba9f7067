#include "long_options.h"

#include <gtest/gtest.h>

namespace {

LongOptions parse(std::vector<std::string> args) {
  std::vector<char*> argv{const_cast<char*>("prog")};
  for (std::string& a : args) argv.push_back(a.data());
  return parse_long_options(static_cast<int>(argv.size()), argv.data(), {{"--flag", false}, {"--file", true}});
}

TEST(LongOptions, OptionsAndNamesInAnyOrder) {
  const LongOptions p = parse({"a", "--file", "--flag", "--flag", "-", "--", "--b"});
  EXPECT_FALSE(p.error);
  ASSERT_EQ(p.given.size(), 2u);
  EXPECT_EQ(p.given[0], (std::pair<std::string, std::string>{"--file", "--flag"}));  // a value may look like an option
  EXPECT_EQ(p.given[1].first, "--flag");
  EXPECT_EQ(p.names, (std::vector<std::string>{"a", "-", "--b"}));
}

TEST(LongOptions, UnknownOptionsAndMissingValuesAreNamed) {
  EXPECT_EQ(parse({"--fil", "x"}).error.text(), "unknown option '--fil'");
  EXPECT_EQ(parse({"a", "--file"}).error.text(), "missing value after --file");
  EXPECT_TRUE(parse({"--bogus", "-h"}).error);
  // run_program answers --help before a program parses its command line.
  EXPECT_EQ(parse({"a", "--help"}).error.text(), "unknown option '--help'");
}

}  // namespace
