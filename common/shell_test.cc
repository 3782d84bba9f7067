#include "shell.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

TEST(ShellWord, OrdinaryWordsStandUnchanged) {
  EXPECT_EQ(shell_word("net.dat"), "net.dat");
  EXPECT_EQ(shell_word("a-b_c/d:e@f%g+h=i,j"), "a-b_c/d:e@f%g+h=i,j");
}

TEST(ShellWord, ShellCharactersAreQuotedAsAWhole) {
  EXPECT_EQ(shell_word("a b"), "'a b'");
  EXPECT_EQ(shell_word("x;rm -rf ~"), "'x;rm -rf ~'");
  EXPECT_EQ(shell_word("$HOME"), "'$HOME'");
  EXPECT_EQ(shell_word("it's"), "'it'\\''s'");
  EXPECT_EQ(shell_word(""), "''");
}

TEST(ShellWord, QuotedWordReachesTheCommandAsOneArgument) {
  const std::string out = testing::TempDir() + "shell_word_out";
  const std::string nasty = "a b;$(echo no)`x`'\"\\*";
  run_shell_command("printf '%s' " + shell_word(nasty) + " > " + shell_word(out));
  std::ifstream in(out);
  std::string got((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(got, nasty);
  std::remove(out.c_str());
}

TEST(PathWord, OnlyANameThatLooksLikeAnOptionChanges) {
  EXPECT_EQ(path_word("net.dat.ls/AA_BBcut.l"), "net.dat.ls/AA_BBcut.l");
  EXPECT_EQ(path_word("-x.vtr.scr"), "./-x.vtr.scr");
  EXPECT_EQ(path_word("-a b.dat"), "'./-a b.dat'");
  EXPECT_EQ(path_word("a-b"), "a-b");
}

TEST(CommandSucceeded, OnlyExitStatusZeroCounts) {
  EXPECT_TRUE(command_succeeded(run_shell_command("true")));
  EXPECT_FALSE(command_succeeded(run_shell_command("false")));
  EXPECT_FALSE(command_succeeded(run_shell_command("exit 3")));
  EXPECT_FALSE(command_succeeded(run_shell_command("kill -9 $$")));
  EXPECT_FALSE(command_succeeded(-1));
}
