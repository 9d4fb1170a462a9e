#include "platform/ascii.h"

#include <gtest/gtest.h>

TEST(Ascii, ComparesIgnoringAsciiCaseOnly) {
  EXPECT_TRUE(ascii::EqualsIgnoringCase("DEFAULT", "default"));
  EXPECT_TRUE(ascii::EqualsIgnoringCase("", ""));
  EXPECT_FALSE(ascii::EqualsIgnoringCase("defaults", "default"));
  EXPECT_FALSE(ascii::EqualsIgnoringCase("non", "no"));
  EXPECT_FALSE(ascii::EqualsIgnoringCase("\xC4", "\xE4"));  // no case beyond ASCII
  EXPECT_TRUE(ascii::StartsWithIgnoringCase("MON083000", "mon"));
  EXPECT_FALSE(ascii::StartsWithIgnoringCase("Mo", "mon"));
  EXPECT_TRUE(ascii::EndsWithIgnoringCase("clock.PNG", ".png"));
  EXPECT_FALSE(ascii::EndsWithIgnoringCase("png", ".png"));
}
