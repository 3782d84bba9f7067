#include "scanner.h"

#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <cmath>

TEST(Fields, WhiteSpaceAndDigitsAreWhatCtypeSaysInTheCLocale) {
  // The programs never leave the C locale; every byte, beyond ASCII too.
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    EXPECT_EQ(is_space(c), std::isspace(b) != 0) << b;
    EXPECT_EQ(is_digit(c), std::isdigit(b) != 0) << b;
  }
}

TEST(Fields, ReadAsScanfWouldAndLinesKeepTheirEnds) {
  FieldScanner f("  12abc -3.5e1 x");
  EXPECT_EQ(f.next_int(), 12);
  EXPECT_EQ(f.next_word(), "abc");
  EXPECT_FLOAT_EQ(*f.next_float(), -35.0f);
  EXPECT_EQ(f.next_float(), std::nullopt);
  EXPECT_EQ(f.next_int(), std::nullopt);
  EXPECT_EQ(f.next_word(), "x");
  EXPECT_TRUE(f.at_end());
  std::vector<std::string_view> lines = lines_as_read("a\n\nb");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "\n");
  EXPECT_EQ(lines[2], "b");
}

TEST(Fields, WholeNumbersKeepToTheirRangeAndSayWhenTheyLeaveIt) {
  FieldScanner f("2147483647 -2147483648 2147483648 -9223372036854775808 9223372036854775808");
  EXPECT_EQ(f.next_int(), INT_MAX);
  EXPECT_EQ(f.next_int(), INT_MIN);
  EXPECT_EQ(f.next_int(), std::nullopt);
  EXPECT_TRUE(f.beyond_range());
  EXPECT_EQ(f.next_int64(), 2147483648LL);  // the failed field is left to read again
  EXPECT_EQ(f.next_int64(), LLONG_MIN);
  EXPECT_EQ(f.next_int64(), std::nullopt);
  EXPECT_TRUE(f.beyond_range());
  EXPECT_EQ(f.next_word(), "9223372036854775808");

  FieldScanner g("abc 12x -7");
  EXPECT_EQ(g.next_int(), std::nullopt);
  EXPECT_FALSE(g.beyond_range());
  EXPECT_EQ(g.next_whole_word(32), std::nullopt);  // the word is consumed
  EXPECT_EQ(g.last_word(), "abc");
  EXPECT_EQ(g.next_whole_word(32), std::nullopt);
  EXPECT_EQ(g.last_word(), "12x");
  EXPECT_EQ(g.next_whole_word(32), -7);
  EXPECT_EQ(whole_number_of(32), "a whole number of 32 bits");
}

TEST(Fields, EachFieldKnowsItsLine) {
  FieldScanner f("1\n\n  two 3.5\nrest of it\n\n last\n", 10);
  EXPECT_EQ(f.line(), 10);
  EXPECT_EQ(f.next_int(), 1);
  EXPECT_EQ(f.line(), 10);
  EXPECT_EQ(f.next_word(), "two");
  EXPECT_EQ(f.line(), 12);
  EXPECT_EQ(f.next_double(), 3.5);
  EXPECT_EQ(f.next_line(), "rest of it\n");
  EXPECT_EQ(f.line(), 13);
  EXPECT_EQ(f.line_here(), 15);
  f.skip_line();
  EXPECT_TRUE(f.at_end());
  EXPECT_EQ(f.next_word(), std::nullopt);
}

TEST(Fields, DecimalWordsAreReadWholeAndPlain) {
  FieldScanner f("-0.5 1e3 .5 inf nan 30.00% +1 0x1p3 1e400 1e-400 4e-320");
  EXPECT_EQ(f.next_decimal_word(), -0.5);
  EXPECT_EQ(f.next_decimal_word(), 1000.0);
  EXPECT_EQ(f.next_decimal_word(), 0.5);
  EXPECT_EQ(f.next_decimal_word(), HUGE_VAL);
  std::optional<double> nan = f.next_decimal_word();
  ASSERT_TRUE(nan);
  EXPECT_TRUE(std::isnan(*nan));
  for (const char* word : {"30.00%", "+1", "0x1p3", "1e400", "1e-400"}) {
    EXPECT_EQ(f.next_decimal_word(), std::nullopt) << word;
    EXPECT_EQ(f.last_word(), word);
  }
  EXPECT_EQ(f.next_decimal_word(), 4e-320);  // small, but not gone
  EXPECT_EQ(f.next_decimal_word(), std::nullopt);
  EXPECT_EQ(f.last_word(), "");

  FieldScanner g("7 ");
  EXPECT_EQ(g.next_int(), 7);
  EXPECT_FALSE(g.nothing_left());
  EXPECT_TRUE(g.at_end());
  EXPECT_TRUE(g.nothing_left());
}

TEST(Fields, Clamped64BitNumbersReadToTheNearestEndAndKeepTheirText) {
  FieldScanner f("  +00012 -99999999999999999999x 99999999999999999999 - 7");
  EXPECT_EQ(f.next_int64_clamped(), 12);
  EXPECT_FALSE(f.beyond_range());
  EXPECT_EQ(f.last_field(), "+00012");
  EXPECT_EQ(f.next_int64_clamped(), LLONG_MIN);
  EXPECT_TRUE(f.beyond_range());
  EXPECT_EQ(f.last_field(), "-99999999999999999999");
  EXPECT_EQ(f.next_word(), "x");
  EXPECT_EQ(f.next_int64_clamped(), LLONG_MAX);
  EXPECT_EQ(f.next_int64_clamped(), std::nullopt);  // a sign alone is no number
  EXPECT_EQ(f.last_field(), "");
  EXPECT_EQ(f.next_word(), "-");
}

TEST(Fields, BasedWholeNumbersReadAsPercentI) {
  FieldScanner f(" 12 0x1F 017 -0X10 +8 0x 2147483648 -2147483648 x");
  EXPECT_EQ(f.next_based_int(), 12);
  EXPECT_EQ(f.next_based_int(), 31);
  EXPECT_EQ(f.next_based_int(), 15);  // octal
  EXPECT_EQ(f.next_based_int(), -16);
  EXPECT_EQ(f.next_based_int(), 8);
  EXPECT_EQ(f.next_based_int(), 0);  // "0x" without digits: the 0, then "x" is left
  EXPECT_EQ(f.next_word(), "x");
  EXPECT_EQ(f.next_based_int(), std::nullopt);  // beyond int
  FieldScanner g("-2147483648 x");
  EXPECT_EQ(g.next_based_int(), INT_MIN);
  EXPECT_EQ(g.next_based_int(), std::nullopt);
  EXPECT_EQ(g.next_word(), "x");
}

TEST(Fields, TheRestOfTheLineIsReadAsItStands) {
  FieldScanner f("FOR 1 TO 2  rest\n\nnext\nlast");
  EXPECT_EQ(f.next_word(), "FOR");
  EXPECT_EQ(f.next_int(), 1);
  EXPECT_EQ(f.rest_of_line(), " TO 2  rest\n");
  EXPECT_EQ(f.rest_of_line(), "\n");
  EXPECT_EQ(f.line_here(), 3);
  EXPECT_EQ(f.next_word(), "next");
  EXPECT_EQ(f.rest_of_line(), "\n");
  EXPECT_EQ(f.rest_of_line(), "last");
  EXPECT_EQ(f.rest_of_line(), "");
  EXPECT_TRUE(f.at_end());
}

TEST(Fields, RealWordsAreReadWholeOrNotAtAll) {
  FieldScanner f("+12.5 -3e2 0.5north 1e999 + 7");
  EXPECT_EQ(f.next_real_word(), 12.5);
  EXPECT_EQ(f.next_real_word(), -300.0);
  EXPECT_EQ(f.next_real_word(), std::nullopt);  // the word is consumed
  EXPECT_EQ(f.last_word(), "0.5north");
  EXPECT_EQ(f.next_real_word(), std::nullopt);  // beyond the range of double
  EXPECT_EQ(f.next_real_word(), std::nullopt);
  EXPECT_EQ(f.last_word(), "+");
  EXPECT_EQ(f.next_real_word(), 7.0);
  EXPECT_EQ(f.next_real_word(), std::nullopt);
  EXPECT_EQ(f.last_word(), "");
}
