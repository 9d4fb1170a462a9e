// A path handed over in quotation marks is the same path without them.
#include <gtest/gtest.h>

#include <string>

#include "app/command_line.h"

TEST(CommandLineTest, OnePairOfSurroundingQuotesGoes) {
  struct Case {
    const char* given;
    const char* taken;
  };
  const Case cases[] = {
      {"\"C:\\my skins\\clock.HRL\"", "C:\\my skins\\clock.HRL"},
      {"  \"C:\\a b\\c.HRL\"  ", "C:\\a b\\c.HRL"},
      // "ソ" ends in 0x5C and "表" too: the marks are found by byte, safely.
      {"\"C:\\\x83\x5C\\\x95\x5C.HRL\"", "C:\\\x83\x5C\\\x95\x5C.HRL"},
      {"C:\\skin\\clock.HRL", "C:\\skin\\clock.HRL"},
      {"\"\"", ""},
      // Not one pair around the whole text: taken verbatim.
      {"\"", "\""},
      {"\"C:\\a.HRL", "\"C:\\a.HRL"},
      {"C:\\a.HRL\"", "C:\\a.HRL\""},
      {"\"a\" \"b\"", "\"a\" \"b\""},
      {"\"\"a\"\"", "\"\"a\"\""},
      {"", ""},
      {"   ", "   "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WithoutSurroundingQuotes(c.given), c.taken) << c.given;
  }
}
