#include "symbols_and_tokens.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

namespace {

// The options list of halvane and morwick before parsing.
slist program_options() {
  slist options;
  init_symbol(options, "FIRST_PARAM", NOT_FOUND);
  return options;
}

struct Parsed {
  cli_outcome outcome;
  std::string message;
  std::string first_param;
};

Parsed parse(const std::vector<std::string>& args, slist options = program_options()) {
  Parsed p;
  p.outcome = cli(p.message, options, '/', args);
  p.first_param = find_symbol_def(options, "FIRST_PARAM");
  return p;
}

std::string token_string(std::initializer_list<std::string> tokens) {
  std::string s;
  for (const std::string& t : tokens) s += t + TOKEN_DELIMITER;
  return s;
}

}  // namespace

TEST(SymbolList, LookupIsExactAndAnswersNotFound) {
  slist list;
  EXPECT_EQ(find_symbol_def(list, "X"), NOT_FOUND);
  init_symbol(list, "FIRST_PARAM", "NET.TXT");
  EXPECT_EQ(find_symbol_def(list, "FIRST_PARAM"), "NET.TXT");
  EXPECT_EQ(find_symbol_def(list, "first_param"), NOT_FOUND);
  EXPECT_EQ(find_symbol_def(list, "FIRST"), NOT_FOUND);
}

TEST(SymbolList, NewSymbolsGoInFrontAndRedefinitionKeepsOneEntry) {
  slist list;
  init_symbol(list, "A", "1");
  init_symbol(list, "B", "2");
  init_symbol(list, "C", "3");
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].sstr, "C");
  EXPECT_EQ(list[2].sstr, "A");
  init_symbol(list, "B", "two");
  EXPECT_EQ(list.size(), 3u);
  EXPECT_EQ(find_symbol_def(list, "B"), "two");
}

TEST(SymbolList, RedefiningANotFoundDefinitionAddsAHidingEntry) {
  slist list = program_options();
  init_symbol(list, "FIRST_PARAM", "NET.TXT");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(find_symbol_def(list, "FIRST_PARAM"), "NET.TXT");
  EXPECT_EQ(match_symbol(list, "FIRST_PARAM"), AMBIGUOUS);
}

TEST(SymbolList, AbbreviationsMatchOnlyOneSymbol) {
  slist list = program_options();
  EXPECT_EQ(match_symbol(list, "F"), "FIRST_PARAM");
  EXPECT_EQ(match_symbol(list, "FIRST"), "FIRST_PARAM");
  EXPECT_EQ(match_symbol(list, "FIRST_PARAM"), "FIRST_PARAM");
  EXPECT_EQ(match_symbol(list, "X"), NOT_FOUND);
  EXPECT_EQ(match_symbol(list, ""), NOT_FOUND);
  EXPECT_EQ(match_symbol(list, "FIRST_PARAMS"), NOT_FOUND);
  init_symbol(list, "B", "1");
  init_symbol(list, "BW", "2");
  EXPECT_EQ(match_symbol(list, "B"), AMBIGUOUS);  // no preference for the exact match
  EXPECT_EQ(match_symbol(list, "BW"), "BW");
}

TEST(SymbolList, EmptyTextsStopWithTheirMessage) {
  slist list;
  try {
    init_symbol(list, "", "x");
    FAIL();
  } catch (const symbol_error& e) {
    EXPECT_STREQ(e.what(), "error in init_symbol: strlen(symbol)== 0\n");
  }
  init_symbol(list, "A", "1");
  try {
    init_symbol(list, "A", "");
    FAIL();
  } catch (const symbol_error& e) {
    EXPECT_STREQ(e.what(), "error in init_symbol: strlen(definition)== 0\n");
  }
  EXPECT_EQ(find_symbol_def(list, "A"), "1");
}

TEST(Cli, BareTextIsJoinedAndUpperCased) {
  Parsed p = parse({"net.txt"});
  EXPECT_EQ(p.outcome, cli_outcome::parsed);
  EXPECT_EQ(p.message, "");
  EXPECT_EQ(p.first_param, "NET.TXT");
  EXPECT_EQ(parse({"net", ".txt"}).first_param, "NET.TXT");
  EXPECT_EQ(parse({"my net", ".txt"}).first_param, "MYNET.TXT");
}

TEST(Cli, UnknownOptionStopsWithoutStoringTheName) {
  Parsed p = parse({"net.txt", "/x"});
  EXPECT_EQ(p.outcome, cli_outcome::option_error);
  EXPECT_EQ(p.message, "CLI error >}SYMBOL-NOT-FOUND{< for /X.");
  EXPECT_EQ(p.first_param, NOT_FOUND);
  // A path is taken apart as an option.
  EXPECT_EQ(parse({"dir/net.txt"}).message, "CLI error >}SYMBOL-NOT-FOUND{< for /NET.TXT.");
}

TEST(Cli, OptionsExpandAndValuesAreStored) {
  slist options = program_options();
  init_symbol(options, "B=", "0");
  init_symbol(options, "VERBOSE", "FALSE");
  std::string message;
  EXPECT_EQ(cli(message, options, '/', {"net/v//b=7/"}), cli_outcome::parsed);
  EXPECT_EQ(message, "");
  EXPECT_EQ(find_symbol_def(options, "VERBOSE"), "TRUE");
  EXPECT_EQ(find_symbol_def(options, "B="), "7");
  EXPECT_EQ(find_symbol_def(options, "FIRST_PARAM"), "NET");

  EXPECT_EQ(cli(message, options, '/', {"net/b/"}), cli_outcome::option_error);
  EXPECT_EQ(message, "CLI option /B= requires parameter value.");
  EXPECT_EQ(cli(message, options, '/', {"net/b=/"}), cli_outcome::option_error);
  EXPECT_EQ(message, "CLI option /B= requires parameter value.");
}

TEST(Cli, AnOptionNamingFirstParamIsReplacedByTheBareText) {
  Parsed p = parse({"net.txt/f/"});
  EXPECT_EQ(p.outcome, cli_outcome::parsed);
  EXPECT_EQ(p.first_param, "NET.TXT");
}

TEST(Cli, EmptyOptionPairsAreDropped) {
  EXPECT_EQ(parse({"net.txt", "//"}).first_param, "NET.TXT");
  EXPECT_EQ(parse({"net.txt", "/=x/"}).first_param, "NET.TXT");
  EXPECT_THROW(parse({"//"}), symbol_error);
  EXPECT_THROW(parse({}), symbol_error);
  EXPECT_THROW(parse({"net/f=/"}), symbol_error);  // empty value for a plain symbol
}

TEST(Cli, CommandTextOver255CharactersIsRefused) {
  EXPECT_EQ(parse({std::string(254, 'a')}).first_param, std::string(254, 'A'));
  Parsed p = parse({std::string(255, 'a')});
  EXPECT_EQ(p.outcome, cli_outcome::too_long);
  EXPECT_EQ(p.message, "CLI error: the command line is 256 characters long, at most 255 are accepted.");
  EXPECT_EQ(p.first_param, NOT_FOUND);
  // Blanks do not count: they are removed first.
  EXPECT_EQ(parse({std::string(254, 'a') + "   "}).outcome, cli_outcome::parsed);
}

TEST(ExtractDelimitedString, FindsTheFirstCompleteSegment) {
  int start = -1, length = -1;
  extract_delimited_string('/', '/', "NET/X/Y/", start, length);
  EXPECT_EQ(start, 4);
  EXPECT_EQ(length, 3);
  extract_delimited_string('/', '/', "NET/", start, length);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(length, 0);
  extract_delimited_string('/', '/', "NET", start, length);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(length, 255);
  extract_delimited_string('(', ')', "a(b(c)d)", start, length);  // innermost first
  EXPECT_EQ(start, 4);
  EXPECT_EQ(length, 3);
  extract_delimited_string('(', ')', "a)b(", start, length);  // closer before any opener
  EXPECT_EQ(start, 0);
  EXPECT_EQ(length, 0);
}

TEST(Tokenize, BlanksAndTabsSeparateNoEmptyTokens) {
  EXPECT_EQ(tokenize("  12\tTOR   3"), token_string({"12", "TOR", "3"}));
  EXPECT_EQ(tokenize("a"), token_string({"a"}));
  EXPECT_EQ(tokenize(" \t a \t\t b \t "), token_string({"a", "b"}));
  EXPECT_EQ(tokenize(""), "");
  EXPECT_EQ(tokenize(" \t  \t"), "");
  EXPECT_EQ(tokenize("x\xADy"), token_string({"x", "y"}));  // a delimiter byte acts as a blank
}

TEST(Tokenize, CarriageReturnStaysInTheLastToken) {
  EXPECT_EQ(tokenize("1 2\r"), token_string({"1", "2\r"}));
  EXPECT_EQ(tokenize("a\fb"), token_string({"a\fb"}));
}

TEST(GetToken, TakesTokensOffUntilNoneIsLeft) {
  std::string tokens = tokenize("a  bc");
  EXPECT_EQ(get_token(tokens), "a");
  EXPECT_EQ(get_token(tokens), "bc");
  EXPECT_EQ(get_token(tokens), NO_MORE_TOKENS);
  EXPECT_EQ(get_token(tokens), NO_MORE_TOKENS);
  std::string empty = tokenize("   ");
  EXPECT_EQ(get_token(empty), NO_MORE_TOKENS);
}

TEST(ReplaceStrs, RepeatsUntilNoOccurrenceIsLeft) {
  EXPECT_EQ(replace_strs("a    b", "  ", " "), "a b");
  EXPECT_EQ(replace_strs("x/A/A/A/y", "/A/", "/"), "x/y");
  EXPECT_EQ(replace_strs("abc", "", "z"), "abc");
  EXPECT_EQ(replace_strs("aXbXc", "X", ""), "abc");
  // Earlier replacements take part in later matches.
  EXPECT_EQ(replace_strs("aabb", "ab", "b"), "bb");
  EXPECT_EQ(replace_strs("caabb", "ab", "ba"), "cbbaa");
  // A replacement holding the searched text would never end: one pass instead.
  EXPECT_EQ(replace_strs("ab", "a", "aa"), "aab");
}

TEST(ReplaceStrs, LongRunsCollapseQuickly) {
  const std::string run(1'000'000, ' ');
  EXPECT_EQ(tokenize("a" + run + "b"), token_string({"a", "b"}));
}

TEST(CaseFolding, OnlyAsciiLettersChange) {
  EXPECT_EQ(to_lower("Ring.NET-9_\xC4\xE4"), "ring.net-9_\xC4\xE4");
  EXPECT_EQ(to_upper("ring.net-9_\xC4\xE4"), "RING.NET-9_\xC4\xE4");
  EXPECT_EQ(lowercase('Q'), 'q');
  EXPECT_EQ(lowercase('['), '[');
  EXPECT_EQ(replace_chars("a b a", 'a', 'z'), "z b z");
}

TEST(FatalStops, BecomeExitStatuses) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(run_with_fatal_stops([] {
              slist list;
              init_symbol(list, "FIRST_PARAM", "");
              return 0;
            }),
            5);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "error in init_symbol: strlen(definition)== 0\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(run_with_fatal_stops([]() -> int { throw std::bad_alloc(); }), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "out of memory\n");
  EXPECT_EQ(run_with_fatal_stops([] { return 7; }), 7);
}
