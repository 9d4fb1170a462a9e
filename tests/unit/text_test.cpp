#include <gtest/gtest.h>

#include "platform/text.h"

using platform::CutAtCharBoundary;
using platform::LastBackslash;

TEST(PathSplitting, TrailByteBackslashIsNoSeparator) {
  // 表 is 0x95 0x5C and ソ is 0x83 0x5C in code page 932.
  const std::string path = "C:\\skins\\表\\clock.hrl";
  EXPECT_EQ(LastBackslash(path), path.size() - 10);
  EXPECT_EQ(LastBackslash("C:\\ソ"), 2u);
  EXPECT_EQ(LastBackslash("clock.hrl"), std::string::npos);
}

TEST(PathSplitting, CutKeepsWholeCharacters) {
  const std::string text = "aほ";  // 1 + 2 bytes
  EXPECT_EQ(CutAtCharBoundary(text, 2), "a");
  EXPECT_EQ(CutAtCharBoundary(text, 3), text);
  EXPECT_EQ(CutAtCharBoundary(text, 0), "");
}
