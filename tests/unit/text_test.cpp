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

// Whether code page 932 holds a text is exactly whether the text survives the
// trip through it unchanged.
TEST(Cp932CanHold, AgreesWithTheRoundTrip) {
  const std::wstring holdable[] = {
      L"", L"Alarm 07:00", L"あさ\x6F22字ｱｶﾞ\x30FC", L"\x2460\xFF5E\x203B",  // ① ～ ※
      L"C:\\\x8868\\\x30BD.wav",  // 表 and ソ end in 0x5C
  };
  const std::wstring refused[] = {
      L"Jos\xE9", L"\xD55C\xAE00", L"\U00020BB7", L"\x3042\x20AC", L"a\x0301",
  };
  for (const std::wstring& text : holdable) {
    EXPECT_TRUE(platform::Cp932CanHold(text));
    EXPECT_EQ(platform::WideFromCp932(platform::Cp932FromWide(text)), text);
  }
  for (const std::wstring& text : refused) {
    EXPECT_FALSE(platform::Cp932CanHold(text));
    EXPECT_NE(platform::WideFromCp932(platform::Cp932FromWide(text)), text);
  }
}
