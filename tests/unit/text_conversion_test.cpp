#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/text.h"

using namespace platform;

TEST(TextConversion, JapaneseRoundTrips) {
  const std::string cp932 = "ほらるね 表示ソ 時計 ｶﾅ ＡＢ①";
  const std::wstring wide = WideFromCp932(cp932);
  EXPECT_EQ(wide, L"ほらるね 表示ソ 時計 ｶﾅ ＡＢ①");
  EXPECT_EQ(Cp932FromWide(wide), cp932);
  // The UTF-8 literal, byte for byte, against the converted code page 932 text.
  const std::string utf8 = "\xE3\x81\xBB\xE3\x82\x89\xE3\x82\x8B\xE3\x81\xAD";
  EXPECT_EQ(Utf8FromCp932("ほらるね"), utf8);
  EXPECT_EQ(Cp932FromUtf8(utf8), "ほらるね");
}

TEST(TextConversion, BackslashAndTildeStayAscii) {
  // Code page 932 as the platform has it: 0x5C is the backslash, 0x7E the tilde.
  EXPECT_EQ(WideFromCp932("C:\\a~b"), L"C:\\a~b");
  EXPECT_EQ(Utf8FromCp932("\\~"), "\\~");
  EXPECT_EQ(std::string("表").size(), 2u);
  EXPECT_EQ(std::string("表")[1], '\\');
  EXPECT_EQ(WideFromCp932("表\\"), L"表\\");
}

TEST(TextConversion, EmptyAndBadInputStayBounded) {
  EXPECT_EQ(WideFromCp932(""), L"");
  EXPECT_EQ(Cp932FromWide(L""), "");
  // A lead byte at the very end, and one followed by a byte no character uses:
  // something comes out, the good characters survive, nothing is read past.
  const std::wstring cut = WideFromCp932(std::string("a\x82", 2));
  ASSERT_FALSE(cut.empty());
  EXPECT_EQ(cut[0], L'a');
  const std::wstring bad = WideFromCp932(std::string("\x82\x01z", 3));
  ASSERT_FALSE(bad.empty());
  EXPECT_EQ(bad.back(), L'z');
  // A character with no code page 932 form becomes a question mark.
  EXPECT_EQ(Cp932FromWide(L"a\x0416" L"b").size(), 4u);  // Ж exists in 932 (2 bytes)
  EXPECT_EQ(Cp932FromWide(L"a\x0E01" L"b"), "a?b");       // Thai does not
}

// One look-alike table in both builds: what people type that code page 932 has
// no form for is shown and stored as the same look-alike, and refused alike
// where a look-alike will not do.
TEST(TextConversion, LookAlikesAreTheSameInBothBuilds) {
  const struct {
    const wchar_t* typed;
    const char* stored;
  } cases[] = {
      {L"Jos\x00E9 M\x00FCller", "Jose Muller"},
      {L"\x301C", "\x81\x60"},       // 〜 → ～
      {L"\x2212" L"5", "\x81\x7C" "5"},  // − → －
      {L"\x2016", "\x81\x61"},       // ‖ → ∥
      {L"\x00A2\x00A3\x00AC", "\x81\x91\x81\x92\x81\xCA"},
      {L"\x2014", "\x81\x5C"},       // — → ―
      {L"\x00A5" L"100", "\\100"},
      {L"\x00D7\x00F7", "\x81\x7E\x81\x80"},  // × and ÷ have forms of their own
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp932FromWide(c.typed), c.stored);
    EXPECT_EQ(Cp932FromUtf8(Utf8FromWide(c.typed)), c.stored);
  }
  // Held means it comes back as itself; everything else is refused. Every
  // character of the ranges people type from.
  for (const auto& [first, last] : {std::pair<wchar_t, wchar_t>{0x20, 0x24F}, {0x2000, 0x22FF},
                                    {0x2460, 0x24FF}, {0x3000, 0x30FF}, {0xFF01, 0xFFEF}}) {
    for (wchar_t c = first; c <= last; ++c) {
      const std::wstring one(1, c);
      EXPECT_EQ(Cp932CanHold(one), WideFromCp932(Cp932FromWide(one)) == one) << std::hex << c;
    }
  }
}
