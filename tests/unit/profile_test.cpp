// Profile reading and writing. The tables run against our own reader and writer
// in both builds and, on Windows, against the platform's functions too, so
// every case here is also a check that ours answers as the platform does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "platform/text_encoding.h"
#include "profile_reference.h"
#include "temp_folder.h"

using platform::ReadProfileInt;
using platform::ReadProfileString;
using platform::TextEncoding;
using platform::WriteProfileString;
using testing_support::ProfileCalls;
using testing_support::TempFolder;

namespace testing_support {

std::vector<ProfileCalls> ProfileImplementations() {
  std::vector<ProfileCalls> calls = {
      {"ours", true, false,
       [](const char* section, const char* key, const char* def, char* out, std::size_t size,
          const char* path) { return ReadProfileString(section, key, def, out, size, path); },
       ReadProfileInt, WriteProfileString}};
  for (const ProfileCalls& platform : PlatformProfileCallsIfAny()) calls.push_back(platform);
  return calls;
}

}  // namespace testing_support

namespace {

struct ReadCase {
  const char* name;
  std::string file;
  const char* section;
  const char* key;
  const char* def;
  std::size_t size;
  std::string expected;
};

// The case's file (CP932 text) in `form`; the reader must answer as it does
// for the CP932 file.
std::string InForm(const std::string& cp932, TextEncoding form) {
  return form == TextEncoding::Cp932 ? cp932
                                     : platform::UnicodeFileFromUtf8(platform::Utf8FromCp932(cp932), form);
}

void RunReadCases(const ProfileCalls& calls, const std::vector<ReadCase>& cases,
                  TextEncoding form) {
  TempFolder folder;
  int n = 0;
  for (const ReadCase& c : cases) {
    // A NUL unit breaks the plain pattern that tells UTF-16 without a mark.
    if (form == TextEncoding::Utf16Le && c.file.find('\0') != std::string::npos) continue;
    const std::string path = folder.File("read" + std::to_string(++n) + ".ini");
    ASSERT_TRUE(TempFolder::Write(path, InForm(c.file, form)));
    std::vector<char> buffer(c.size + 8, 'X');
    const std::size_t length =
        calls.readString(c.section, c.key, c.def, buffer.data(), c.size, path.c_str());
    const std::string where = std::string(calls.name) + " (form " +
                              std::to_string(static_cast<int>(form)) + "): " + c.name;
    EXPECT_EQ(std::string(buffer.data()), c.expected) << where;
    EXPECT_EQ(length, c.expected.size()) << where;
    EXPECT_EQ(buffer[c.size], 'X') << where << ": wrote past the buffer";
  }
}

TEST(ProfileReading, AnswersLikeThePlatform) {
  const std::vector<ReadCase> cases = {
      {"names ignore case", "[Init]\r\nTitle=abc\r\n", "INIT", "title", "d", 256, "abc"},
      {"first section wins", "[a]\r\nk=1\r\n[A]\r\nk=2\r\n", "a", "k", "d", 256, "1"},
      {"only the first section is searched", "[a]\r\nk=1\r\n[A]\r\nj=2\r\n", "a", "j", "d", 256, "d"},
      {"first key wins", "[a]\r\nk=1\r\nK=2\r\n", "a", "K", "d", 256, "1"},
      {"blanks around names and values", "[a]\r\n  key \t=   two  words \t \r\n", "a", "key", "d", 256,
       "two  words"},
      {"blanks around the asked names", "[a]\r\nkey=v\r\n", " a ", " key ", "d", 256, "v"},
      {"double quotes", "[a]\r\nk=\"quoted\"\r\n", "a", "k", "d", 256, "quoted"},
      {"single quotes", "[a]\r\nk='single'\r\n", "a", "k", "d", 256, "single"},
      {"unmatched quotes stay", "[a]\r\nk=\"half'\r\n", "a", "k", "d", 256, "\"half'"},
      {"a lone quote stays", "[a]\r\nk=\"\r\n", "a", "k", "d", 256, "\""},
      {"only the outer quotes go", "[a]\r\nk=\"a\"b\"\r\n", "a", "k", "d", 256, "a\"b"},
      {"empty quotes", "[a]\r\nk=\"\"\r\n", "a", "k", "d", 256, ""},
      {"cut to size - 1", "[a]\r\nk=abcdef\r\n", "a", "k", "d", 4, "abc"},
      {"a one-byte buffer holds the terminator", "[a]\r\nk=abcdef\r\n", "a", "k", "d", 1, ""},
      {"missing key", "[a]\r\nk=1\r\n", "a", "x", "fallback", 256, "fallback"},
      {"missing section", "[a]\r\nk=1\r\n", "b", "k", "fallback", 256, "fallback"},
      {"default loses trailing blanks", "[a]\r\n", "a", "x", "def  ", 256, "def"},
      {"default is cut too", "[a]\r\n", "a", "x", "fallback", 5, "fall"},
      {"null default", "[a]\r\n", "a", "x", nullptr, 256, ""},
      {"empty value is no default", "[a]\r\nk=\r\n", "a", "k", "d", 256, ""},
      {"line without '=' is no key", "[a]\r\nk\r\n", "a", "k", "d", 256, "d"},
      {"value holding '='", "[a]\r\nk=a=b\r\n", "a", "k", "d", 256, "a=b"},
      {"no line end at the end", "[a]\r\nk=last", "a", "k", "d", 256, "last"},
      {"LF line ends", "[a]\nk=lf\n", "a", "k", "d", 256, "lf"},
      {"comments are not keys", "; note\r\n[a]\r\n;k=no\r\nk=yes\r\n", "a", "k", "d", 256, "yes"},
      {"key of a later section", "[a]\r\nk=1\r\n[b]\r\nk=2\r\n", "b", "k", "d", 256, "2"},
      {"blank lines between", "[a]\r\n\r\n\r\nk=1\r\n\r\n", "a", "k", "d", 256, "1"},
      {"code page 932 bytes pass through", "[a]\r\nt=ほらるね表示ソ\r\n", "a", "t", "d", 256,
       "ほらるね表示ソ"},
      {"CR alone ends a line", "[s1]\rname1=val1\rname2=\"val2\"\rname3\r[s2]\r", "s1", "name2",
       "d", 256, "val2"},
      {"an empty section name outside any section", "[s1]\r\nk=1\r\n", "", "k", "d", 256, "d"},
      {"a section that is only a header", "[s1]\r\nk=1\r\n[s2]\r\n", "s2", "k", "", 256, ""},
      {"a NUL ends the value", std::string("[a]\r\nk=ab\0cd\r\n", 13), "a", "k", "d", 256, "ab"},
      {"a NUL before the closing quote", std::string("[a]\r\nk='ab\0c'\r\n", 14), "a", "k", "d",
       256, "'ab"},
      {"a quoted value cut at a buffer of its length", "[a]\r\nk=\"abc\"\r\n", "a", "k", "d", 4,
       "ab"},
      {"a quoted value cut shorter", "[a]\r\nk=\"abc\"\r\n", "a", "k", "d", 3, "ab"},
      {"a quoted value with room", "[a]\r\nk=\"abc\"\r\n", "a", "k", "d", 5, "abc"},
  };
  // The platform compares names in its ANSI code page: these hold only under 932.
  const std::vector<ReadCase> cp932Cases = {
      {"a second byte is no letter", "[a]\r\nア=1\r\nャ=2\r\n", "a", "ャ", "d", 256, "2"},
      {"Japanese section names", "[表示]\r\nk=1\r\n[時計]\r\nk=2\r\n", "時計", "k", "d", 256, "2"},
      // 江 is 0x8D 0x5D: its second byte is no ']'.
      {"a second byte that looks like ']'", "[Alarm] ; 江戸メモ\r\nTitle00=朝\r\n", "Alarm",
       "Title00", "d", 256, "朝"},
      {"a header that ends inside a character", "[江]\r\nk=1\r\n", "江", "k", "d", 256, "1"},
  };
  for (const ProfileCalls& calls : testing_support::ProfileImplementations()) {
    std::vector<ReadCase> all = cases;
    if (calls.namesInCp932) all.insert(all.end(), cp932Cases.begin(), cp932Cases.end());
    RunReadCases(calls, all, TextEncoding::Cp932);
    // The same files as today's editors save them must answer the same. The
    // platform reads UTF-16 LE with a mark (and hands back Japanese only under 932).
    for (const TextEncoding form : {TextEncoding::Utf8, TextEncoding::Utf8Bom,
                                    TextEncoding::Utf16LeBom, TextEncoding::Utf16BeBom,
                                    TextEncoding::Utf16Le}) {
      if (calls.reference && (form != TextEncoding::Utf16LeBom || !calls.namesInCp932)) continue;
      RunReadCases(calls, all, form);
    }
  }
}

TEST(ProfileReading, MissingFileGivesTheDefault) {
  TempFolder folder;
  const std::string path = folder.File("absent.ini");
  EXPECT_EQ(ReadProfileString("a", "k", "fallback", path.c_str()), "fallback");
  EXPECT_EQ(ReadProfileInt("a", "k", 17, path.c_str()), 17u);
  EXPECT_FALSE(platform::FileExists(path.c_str()));
}

TEST(ProfileReading, ConvenienceFormCutsAtItsBuffer) {
  TempFolder folder;
  const std::string path = folder.File("short.ini");
  ASSERT_TRUE(TempFolder::Write(path, "[a]\r\nk=0123456789\r\n"));
  EXPECT_EQ(ReadProfileString("a", "k", "", path.c_str()), "0123456789");
  EXPECT_EQ(ReadProfileString("a", "k", "", path.c_str(), 6), "01234");
}

struct IntCase {
  std::string value;  // the value line's right-hand side; "<none>" for no key
  int def;
  unsigned expected;
};

TEST(ProfileReading, IntegersAsThePlatformReadsThem) {
  const std::vector<IntCase> cases = {
      {"12", 5, 12u},
      {"-5", 0, static_cast<unsigned>(-5)},
      {"+7", 0, 7u},
      {"   42", 0, 42u},
      {"12abc", 0, 12u},
      {"1 000", 0, 1u},
      {"abc", 9, 0u},
      {"-", 9, 0u},
      {"", 9, 9u},
      {"<none>", 250, 250u},
      {"<none>", -1, static_cast<unsigned>(-1)},
      {"0x1F", 0, 31u},
      {"0x1f", 0, 31u},
      {"0X1F", 0, 0u},
      {"-0x10", 0, static_cast<unsigned>(-16)},
      {"0x", 3, 0u},
      {"010", 0, 10u},
      {"'42'", 0, 42u},
      {"\"-3\"", 0, static_cast<unsigned>(-3)},
      {"4294967297", 0, 1u},
      // Only 29 characters are read: the last digit falls off.
      {"000000000000000000000000000012", 0, 1u},
  };
  for (const ProfileCalls& calls : testing_support::ProfileImplementations()) {
    TempFolder folder;
    int n = 0;
    for (const IntCase& c : cases) {
      const std::string path = folder.File("int" + std::to_string(++n) + ".ini");
      const std::string line = c.value == "<none>" ? "other=1" : "k=" + c.value;
      ASSERT_TRUE(TempFolder::Write(path, "[a]\r\n" + line + "\r\n"));
      EXPECT_EQ(calls.readInt("A", "K", c.def, path.c_str()), c.expected)
          << calls.name << ": value " << c.value;
    }
  }
}

struct WriteStep {
  const char* section;
  const char* key;    // nullptr: delete the section
  const char* value;  // nullptr: delete the key
};

struct WriteCase {
  const char* name;
  const char* before;  // nullptr: no file
  std::vector<WriteStep> steps;
  std::string after;
};

std::string Contents(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(platform::ReadWholeFile(path.c_str(), bytes));
  return bytes;
}

TEST(ProfileWriting, GivesThePlatformsBytes) {
  const std::vector<WriteCase> cases = {
      {"creates the file", nullptr, {{"s", "k", "v"}}, "[s]\r\nk=v\r\n"},
      {"replaces in place",
       "[a]\r\nx=1\r\ny=2\r\n[b]\r\nx=3\r\n",
       {{"a", "x", "9"}},
       "[a]\r\nx=9\r\ny=2\r\n[b]\r\nx=3\r\n"},
      {"keeps the file's spelling of the key", "[a]\r\nPosX=1\r\n", {{"A", "posx", "5"}},
       "[a]\r\nPosX=5\r\n"},
      {"new key at the end of its section",
       "[a]\r\nx=1\r\n[b]\r\ny=2\r\n",
       {{"a", "z", "3"}},
       "[a]\r\nx=1\r\nz=3\r\n[b]\r\ny=2\r\n"},
      {"new section at the end", "[a]\r\nx=1\r\n", {{"b", "y", "2"}}, "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
      {"adds to a file without a last line end", "[a]\r\nx=1", {{"a", "y", "2"}},
       "[a]\r\nx=1\r\ny=2\r\n"},
      {"replaces a last line without a line end", "[a]\r\nx=1", {{"a", "x", "2"}},
       "[a]\r\nx=2\r\n"},
      {"new section after a last line without a line end", "[a]\r\nx=1", {{"b", "y", "2"}},
       "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
      {"deletes a whole section",
       "[a]\r\nx=1\r\n[b]\r\ny=2\r\nz=4\r\n[c]\r\nz=3\r\n",
       {{"B", nullptr, nullptr}},
       "[a]\r\nx=1\r\n[c]\r\nz=3\r\n"},
      {"deletes a key", "[a]\r\nx=1\r\ny=2\r\n", {{"a", "X", nullptr}}, "[a]\r\ny=2\r\n"},
      {"deleting what is absent changes nothing", "[a]\r\nx=1\r\n",
       {{"a", "q", nullptr}, {"q", nullptr, nullptr}}, "[a]\r\nx=1\r\n"},
      {"keeps comments", ";note\r\n[a]\r\n;about x\r\nx=1\r\n", {{"a", "x", "2"}},
       ";note\r\n[a]\r\n;about x\r\nx=2\r\n"},
      {"drops blanks before the value", "[a]\r\n", {{"a", "k", "  v"}}, "[a]\r\nk=v\r\n"},
      {"code page 932 values", "[a]\r\n", {{"a", "t", "表示ソフト"}}, "[a]\r\nt=表示ソフト\r\n"},
      {"an empty value", "[a]\r\nk=1\r\n", {{"a", "k", ""}}, "[a]\r\nk=\r\n"},
      {"section rebuilt after deletion",
       "[Default]\r\nDataDir=x\r\n[Alarm]\r\nSwitch00=on\r\nTime00=000000\r\n",
       {{"Alarm", nullptr, nullptr}, {"Alarm", "Switch00", "off"}, {"Alarm", "Time00", "Mon073000"}},
       "[Default]\r\nDataDir=x\r\n[Alarm]\r\nSwitch00=off\r\nTime00=Mon073000\r\n"},
      {"a file built up and taken down",
       nullptr,
       {{"App1", "key1", "string1"}, {"App1", "key2", "string2"}, {"App1", "key3", "string3"},
        {"App2", "key4", "string4"}, {"App3", "key5", "string5"}, {"App1", "key2", nullptr},
        {"App1", "key2", nullptr}, {"App1", nullptr, "string1"}, {"App2", nullptr, nullptr},
        {"App3", "key5", nullptr}},
       "[App3]\r\n"},
      {"only the first of two same-named sections is written",
       "[a]\r\nx=1\r\n[A]\r\ny=2\r\n",
       {{"a", "y", "3"}},
       "[a]\r\nx=1\r\ny=3\r\n[A]\r\ny=2\r\n"},
      {"blanks around new names stay", nullptr, {{"a ", "k ", "v"}}, "[a ]\r\nk =v\r\n"},
  };
  for (const ProfileCalls& calls : testing_support::ProfileImplementations()) {
    TempFolder folder;
    int n = 0;
    for (const WriteCase& c : cases) {
      const std::string path = folder.File("write" + std::to_string(++n) + ".ini");
      if (c.before) {
        ASSERT_TRUE(TempFolder::Write(path, c.before));
      }
      for (const WriteStep& step : c.steps) {
        EXPECT_TRUE(calls.writeString(step.section, step.key, step.value, path.c_str()))
            << calls.name << ": " << c.name;
      }
      EXPECT_EQ(Contents(path), c.after) << calls.name << ": " << c.name;
    }
  }
}

TEST(ProfileWriting, WhatIsWrittenReadsBack) {
  TempFolder folder;
  const std::string path = folder.File("round.ini");
  ASSERT_TRUE(WriteProfileString("Initialize", "Title", "ほらるね時計", path.c_str()));
  ASSERT_TRUE(WriteProfileString("Initialize", "PosX", "-120", path.c_str()));
  EXPECT_EQ(ReadProfileString("initialize", "TITLE", "non", path.c_str()), "ほらるね時計");
  EXPECT_EQ(static_cast<int>(ReadProfileInt("Initialize", "PosX", 0, path.c_str())), -120);
  ASSERT_TRUE(WriteProfileString("Initialize", "PosX", nullptr, path.c_str()));
  EXPECT_EQ(ReadProfileInt("Initialize", "PosX", 77, path.c_str()), 77u);
}

TEST(ProfileWriting, DeletingFromAMissingFileCreatesNothing) {
  TempFolder folder;
  const std::string path = folder.File("none.ini");
  EXPECT_TRUE(WriteProfileString("Alarm", nullptr, nullptr, path.c_str()));
  EXPECT_TRUE(WriteProfileString("Alarm", "Time00", nullptr, path.c_str()));
  EXPECT_FALSE(platform::FileExists(path.c_str()));
}

TEST(ProfileWriting, FailsWhereNoFileCanBe) {
  TempFolder folder;
  const std::string path = folder.File("no-such-folder\\x.ini");
  EXPECT_FALSE(WriteProfileString("a", "k", "v", path.c_str()));
  EXPECT_FALSE(platform::FileExists(path.c_str()));
  EXPECT_FALSE(WriteProfileString("a", "k", "v", ""));
  EXPECT_FALSE(platform::FileExists(".new"));
}

// A Japanese folder (paths are UTF-8; the text inside stays code page 932):
// the profile functions and the file tests must reach the same file.
TEST(ProfilePaths, JapaneseFolderNames) {
  TempFolder folder;
  const std::string sub = folder.Path() + u8"表ソ";
  ASSERT_TRUE(TempFolder::MakeFolder(sub));
  const std::string path = sub + u8"\\時計.hrl";
  ASSERT_TRUE(WriteProfileString("Initialize", "Title", "表", path.c_str()));
  EXPECT_TRUE(platform::FileReadWritable(path.c_str()));
  EXPECT_EQ(Contents(path), "[Initialize]\r\nTitle=表\r\n");
  EXPECT_EQ(ReadProfileString("Initialize", "Title", "non", path.c_str()), "表");
  EXPECT_EQ(ReadProfileInt("Initialize", "Missing", 3, path.c_str()), 3u);
  const std::string absent = sub + u8"\\無い.hrl";
  EXPECT_EQ(ReadProfileString("Initialize", "Title", "non", absent.c_str()), "non");
}

}  // namespace
