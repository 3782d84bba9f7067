#include "words.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Numbers are read as strtod reads them, the whole text and finite.
TEST(ParseDecimal, TakesWholeFiniteNumbersInTheFormsStrtodReads) {
  struct Case {
    std::string text;
    double value;
  } taken[] = {{"12", 12.0}, {"1e3", 1000.0}, {"-0.5", -0.5}, {".5", 0.5}, {"+2.", 2.0},
               {"0x10", 16.0}, {"1e-400", 0.0}};
  for (const Case& c : taken) {
    double value = -1.0;
    EXPECT_TRUE(parse_decimal(c.text, value)) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
  const std::string refused[] = {"", "inf", "nan", "-inf", "+nan", "1e400", " 1", "1 ", "1x", "-", ".", "1e",
                                 std::string("1\0", 2)};
  for (const std::string& text : refused) {
    double value = 0.0;
    EXPECT_FALSE(parse_decimal(text, value)) << text;
  }
}

}  // namespace
