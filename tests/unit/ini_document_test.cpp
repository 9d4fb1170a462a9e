// Our profile editor keeps every line it does not change byte for byte (the
// platform's own writer may reformat the file; ours never does).
#include <gtest/gtest.h>

#include <string>

#include "platform/ini_document.h"

namespace ini = platform::ini;

TEST(IniEditing, UntouchedLinesKeepTheirBytes) {
  std::string text = "; settings\r\n[a]\r\n  x = 1 \r\n\r\n\r\ny=2\r\n\r\n[b]\r\n\tz\t=\t3\r\n";
  EXPECT_TRUE(ini::SetValue(text, "a", "y", "5"));
  EXPECT_EQ(text, "; settings\r\n[a]\r\n  x = 1 \r\n\r\n\r\ny=5\r\n\r\n[b]\r\n\tz\t=\t3\r\n");
  EXPECT_TRUE(ini::SetValue(text, "a", "new", "n"));
  EXPECT_EQ(text, "; settings\r\n[a]\r\n  x = 1 \r\n\r\n\r\ny=5\r\nnew=n\r\n\r\n[b]\r\n\tz\t=\t3\r\n");
  EXPECT_TRUE(ini::DeleteKey(text, "b", "z"));
  EXPECT_EQ(text, "; settings\r\n[a]\r\n  x = 1 \r\n\r\n\r\ny=5\r\nnew=n\r\n\r\n[b]\r\n");
}

TEST(IniEditing, ReplacedLineKeepsItsLineEnd) {
  std::string text = "[a]\nx=1\ny=2\n";
  EXPECT_TRUE(ini::SetValue(text, "a", "x", "long value"));
  EXPECT_EQ(text, "[a]\nx=long value\ny=2\n");
  EXPECT_FALSE(ini::SetValue(text, "A", "X", "long value"));  // same value: no change
  EXPECT_FALSE(ini::SetValue(text, "a", "x", "  long value"));
}

TEST(IniEditing, SectionDeletionTakesItsCommentsAndBlankLines) {
  std::string text = "[a]\r\nx=1\r\n[b]\r\n; about b\r\ny=2\r\n\r\n[c]\r\nz=3";
  EXPECT_TRUE(ini::DeleteSection(text, "b"));
  EXPECT_EQ(text, "[a]\r\nx=1\r\n[c]\r\nz=3");
  EXPECT_TRUE(ini::DeleteSection(text, "c"));
  EXPECT_EQ(text, "[a]\r\nx=1\r\n");
  EXPECT_FALSE(ini::DeleteSection(text, "c"));
}

TEST(IniEditing, EmptyTextAndOddLines) {
  std::string text;
  EXPECT_TRUE(ini::SetValue(text, "s", "k", "v"));
  EXPECT_EQ(text, "[s]\r\nk=v\r\n");
  // "[" without "]" is a key line, not a section.
  std::string value;
  text = "[s]\r\n[oops=1\r\nk=2\r\n";
  EXPECT_TRUE(ini::FindValue(text, "s", "[oops", value));
  EXPECT_EQ(value, "1");
  EXPECT_TRUE(ini::FindValue(text, "s", "k", value));
  EXPECT_EQ(value, "2");
  // "[s] ; note": the name ends at the last "]".
  text = "[s] ; note\r\nk=3\r\n";
  EXPECT_TRUE(ini::FindValue(text, "s", "k", value));
  // Lines before any section are reachable only under the empty name.
  text = "k=0\r\n[s]\r\nk=1\r\n";
  EXPECT_TRUE(ini::FindValue(text, "", "k", value));
  EXPECT_EQ(value, "0");
  EXPECT_FALSE(ini::FindValue(text, nullptr, "k", value));
  EXPECT_FALSE(ini::FindValue(text, "s", nullptr, value));
}

TEST(IniEditing, BinaryBytesNeverBreakTheParser) {
  std::string text("[s]\r\nk=\0\xFF\x81\r\n\x1A[t]\r\nj=\x95\\\r\n", 24);
  std::string value;
  EXPECT_TRUE(ini::FindValue(text, "t", "j", value));
  EXPECT_EQ(value, "\x95\\");
  EXPECT_TRUE(ini::SetValue(text, "s", "k", "x"));
  EXPECT_TRUE(ini::FindValue(text, "s", "k", value));
  EXPECT_EQ(value, "x");
}

// The same names, in CP932 and in UTF-8, fold ASCII case alike: CP932 text is
// read character by character, UTF-8 never (its byte 0x82 is no lead byte).
TEST(IniEditing, EachCharsetIsScannedByItsOwnCharacters) {
  std::string value;
  const std::string utf8 = u8"[あA] ; 江戸\n" u8"あB=1\n";
  EXPECT_TRUE(ini::FindValue(utf8, u8"あa", u8"あb", value, ini::Charset::Utf8));
  EXPECT_EQ(value, "1");
  const std::string cp932 = "[あA] ; 江戸\nあB=2\n";
  EXPECT_TRUE(ini::FindValue(cp932, "あa", "あb", value));
  EXPECT_EQ(value, "2");
  std::string edited = cp932;
  EXPECT_TRUE(ini::SetValue(edited, "あa", "new", "3", "\n"));
  EXPECT_EQ(edited, cp932 + "new=3\n");
}
