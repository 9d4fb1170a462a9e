// Settings files from any editor: Unicode files keep their encoding, byte-order
// mark and line ends; nothing the user wrote is lost; a batch of edits gives the
// same file as the same edits one call at a time.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "platform/text_encoding.h"
#include "temp_folder.h"

using platform::IniFile;
using platform::TextEncoding;
using testing_support::TempFolder;

namespace {

std::string Contents(const std::string& path) {
  std::string bytes;
  platform::ReadWholeFile(path.c_str(), bytes);
  return bytes;
}

std::string Utf16(const std::string& utf8) { return "\xFF\xFE" + platform::Utf16LeFromUtf8(utf8); }

std::string InForm(const std::string& utf8, TextEncoding form) {
  return form == TextEncoding::Cp932 ? platform::Cp932FromUtf8(utf8)
                                     : platform::UnicodeFileFromUtf8(utf8, form);
}

const TextEncoding kForms[] = {TextEncoding::Cp932,      TextEncoding::Utf8,
                               TextEncoding::Utf8Bom,    TextEncoding::Utf16LeBom,
                               TextEncoding::Utf16BeBom, TextEncoding::Utf16Le};

// Every form, both line ends, with and without an end on the last line: edits
// land in the file's own encoding and line end, and every other byte stays.
TEST(IniFileEncodings, FilesKeepTheirFormWhenWritten) {
  TempFolder folder;
  for (const TextEncoding form : kForms) {
    for (const std::string nl : {"\n", "\r\n"}) {
      for (const bool lastLineEnded : {true, false}) {
        const std::string name = std::to_string(static_cast<int>(form)) + (nl == "\n" ? " LF" : " CRLF") +
                                 (lastLineEnded ? "" : " unended");
        const std::string head = u8"; 表示の設定" + nl + "[Initialize]" + nl + u8"Title = 時計" + nl;
        const std::string before =
            head + "PosX=1" + nl + "[Body]" + nl + "Graph=body.bmp" + (lastLineEnded ? nl : "");
        const std::string after = head + "PosX=-20" + nl + u8"Memo=ほらるね" + nl + "[Body]" + nl +
                                  "Graph=body.bmp" + nl + "Graph2=x" + nl;
        const std::string path = folder.File("skin.hrl");
        ASSERT_TRUE(TempFolder::Write(path, InForm(before, form)));
        IniFile file(path);
        EXPECT_EQ(file.Encoding(), form) << name;
        EXPECT_EQ(file.GetString("initialize", "title", "non"), "時計") << name;
        EXPECT_TRUE(file.Set("Initialize", "PosX", "-20"));
        EXPECT_TRUE(file.Set("Initialize", "Memo", "ほらるね"));
        EXPECT_TRUE(file.Set("Body", "Graph2", "x"));
        EXPECT_TRUE(file.Save());
        EXPECT_EQ(Contents(path), InForm(after, form)) << name;
        EXPECT_FALSE(platform::FileExists((path + ".bak").c_str())) << name;
        EXPECT_EQ(platform::ReadProfileString("Initialize", "Memo", "", path.c_str()), "ほらるね");
      }
    }
  }
}

// The first original is kept once and never overwritten, a backup the user
// made included.
TEST(IniFileEncodings, TextCp932CannotHoldIsKeptBesideBeforeItIsRewritten) {
  TempFolder folder;
  const std::string path = folder.File("Horalune.DAT");
  const std::string original = u8"[Initialize]\r\nPosX=1\r\n[Alarm]\r\nTitle00=𠮷野家で昼食\r\n"
                               u8"Title01=José\r\nSwitch00=on\r\n";
  ASSERT_TRUE(TempFolder::Write(path, original));
  ASSERT_TRUE(TempFolder::Write(path + ".bak", "the user's own copy"));
  const auto save = [&](const char* section, const char* key, const char* value) {
    IniFile file(path);
    EXPECT_TRUE(file.Set(section, key, value));
    EXPECT_TRUE(file.Save());
  };
  {
    IniFile file(path);
    const std::string title = file.GetString("Alarm", "Title00", "");
    EXPECT_EQ(title.substr(title.size() - 10), "野家で昼食");
    EXPECT_EQ(title[0], '?');
  }
  save("Initialize", "PosX", "5");  // lines holding that text stay as they are: no copy needed
  EXPECT_FALSE(platform::FileExists((path + ".1.bak").c_str()));
  const std::string beforeRewrite = Contents(path);
  save("Alarm", "Title00", "x");
  save("Alarm", "Title01", "y");  // drops more, but the copy holds it already
  EXPECT_EQ(Contents(path + ".bak"), "the user's own copy");
  EXPECT_EQ(Contents(path + ".1.bak"), beforeRewrite);
  EXPECT_FALSE(platform::FileExists((path + ".2.bak").c_str()));
  EXPECT_EQ(Contents(path), u8"[Initialize]\r\nPosX=5\r\n[Alarm]\r\nTitle00=x\r\nTitle01=y\r\n"
                            u8"Switch00=on\r\n");
}

// A mark followed by bytes that do not fit: read like Windows (the first
// section is seen), and an edit keeps every line it does not touch.
TEST(IniFileEncodings, MarkedFilesWithBytesThatDoNotFit) {
  TempFolder folder;
  const std::string path = folder.File("odd.hrl");
  const std::string cp932After = "\xEF\xBB\xBF[Initialize]\r\nTitle=\x8E\x9E\x8C\x76\r\nPosX=";
  ASSERT_TRUE(TempFolder::Write(path, cp932After + "7\r\n"));
  {
    IniFile file(path);
    EXPECT_EQ(file.Encoding(), TextEncoding::Utf8Bom);
    EXPECT_EQ(file.GetInt("Initialize", "PosX", 0), 7u);
    EXPECT_TRUE(file.Set("Initialize", "PosX", "8"));
    EXPECT_TRUE(file.Save());
  }
  EXPECT_EQ(Contents(path), cp932After + "8\r\n");
  EXPECT_FALSE(platform::FileExists((path + ".bak").c_str()));  // nothing was dropped

  // A lone surrogate and an odd last byte.
  const std::string odd =
      Utf16("[b]\r\nk=2\r\nj=") + std::string("\x00\xD8", 2) + platform::Utf16LeFromUtf8("?\r\n");
  ASSERT_TRUE(TempFolder::Write(path, odd + "x"));
  {
    IniFile file(path);
    EXPECT_EQ(file.Encoding(), TextEncoding::Utf16LeBom);
    EXPECT_EQ(file.GetString("b", "k", "non"), "2");
    EXPECT_TRUE(file.Set("b", "k", "3"));
    EXPECT_TRUE(file.Save());
  }
  // The units that did not decode are gone from the file, so its first form is kept.
  EXPECT_EQ(Contents(path + ".bak"), odd + "x");
  EXPECT_EQ(platform::ReadProfileString("b", "k", "", path.c_str()), "3");
}

// Random values in random forms through random saves, one call at a time or a
// batch: the file keeps its encoding for life and always reads back as written.
TEST(IniFileEncodings, RandomSavesNeverMixEncodings) {
  std::mt19937 random(22);
  // Values that once flipped detection one way or the other, and plain ones.
  const std::vector<std::string> values = {
      "on", "Mon073000", "ほらるね", "ﾈｺ", "ﾂｷ", "ﾄｷ", "莉子", "お願い", "村上隆", "１２月２９日",
      "ｱﾗｰﾑ", "江戸", "①会議", "～", "￥100", "㈱", "", "ﾃｽﾄ",
      "定時です。お疲れさまでした。明日の会議は十時からです。資料を忘れずに"};
  const char* keys[] = {"Title00", "Title01", "Message00", "Memo"};
  TempFolder folder;
  for (int round = 0; round < 60; ++round) {
    // An ASCII file has no encoding yet: it reads as CP932 until text says otherwise.
    const bool ascii = round % 2;
    const TextEncoding form = ascii && kForms[round % 6] == TextEncoding::Utf8 ? TextEncoding::Cp932
                                                                              : kForms[round % 6];
    const std::string path = folder.File("Horalune" + std::to_string(round) + ".DAT");
    // A UTF-8 file whose only other text is Latin must stay UTF-8 too.
    const std::string start = ascii                 ? "[Alarm]\r\nSwitch00=on\r\n"
                              : round % 4 == 0      ? u8"; by José Müller\r\n[Alarm]\r\nSwitch00=on\r\n"
                                                    : u8"; 目覚まし\r\n[Alarm]\r\nSwitch00=on\r\n";
    ASSERT_TRUE(TempFolder::Write(path, InForm(start, form)));
    std::map<std::string, std::string> model = {{"Switch00", "on"}};
    for (int save = 0; save < 6; ++save) {
      const bool batch = random() % 2;
      IniFile file(path);
      for (int edit = 1 + random() % 3; edit > 0; --edit) {
        const char* key = keys[random() % 4];
        const std::string& value = values[random() % values.size()];
        model[key] = value;
        if (batch) {
          ASSERT_TRUE(file.Set("Alarm", key, value.c_str()));
        } else {
          ASSERT_TRUE(platform::WriteProfileString("Alarm", key, value.c_str(), path.c_str()))
              << "round " << round << ": " << platform::Utf8FromCp932(value) << " into "
              << platform::Utf8FromCp932(Contents(path));
        }
      }
      if (batch) {
        ASSERT_TRUE(file.Save());
      }
      const IniFile read(path);
      // A file without a mark may gain one, to stay in its encoding.
      const bool same = read.Encoding() == form ||
                        (form == TextEncoding::Utf8 && read.Encoding() == TextEncoding::Utf8Bom) ||
                        (form == TextEncoding::Utf16Le && read.Encoding() == TextEncoding::Utf16LeBom);
      ASSERT_TRUE(same) << "round " << round << " became " << static_cast<int>(read.Encoding());
      for (const auto& [key, value] : model) {
        ASSERT_EQ(read.GetString("Alarm", key.c_str(), "non"), value) << "round " << round;
      }
    }
  }
}

// A long value read through the clock's 256-byte buffer is cut between
// characters, so writing it back puts no broken character into the file.
TEST(IniFileEncodings, ValuesAreCutBetweenCharacters) {
  TempFolder folder;
  const std::string path = folder.File("long.hrl");
  std::string longTitle;
  for (int i = 0; i < 200; ++i) longTitle += u8"あ";
  ASSERT_TRUE(TempFolder::Write(path, u8"; 長い題\n[Initialize]\nTitle=" + longTitle + "\n"));
  IniFile file(path);
  const std::string title = file.GetString("Initialize", "Title", "");
  EXPECT_EQ(title.size(), 254u);  // 127 characters: the 128th would end at byte 256
  EXPECT_TRUE(file.Set("Initialize", "Title", title.c_str()));
  EXPECT_TRUE(file.Save());
  const std::string bytes = Contents(path);
  EXPECT_TRUE(platform::IsValidUtf8(bytes));
  EXPECT_EQ(bytes.find(u8"\uFFFD"), std::string::npos);
  EXPECT_EQ(platform::ReadProfileString("Initialize", "Title", "", path.c_str()), title);
}

// The alarm save writes many keys in one read-modify-write; it must leave the
// same bytes as the same calls made one at a time.
TEST(IniFileBatch, EqualsTheSameWritesOneByOne) {
  std::mt19937 random(11);
  const char* sections[] = {"Initialize", "Alarm", "alarm", "Body"};
  const char* keys[] = {"Title00", "Switch00", "time00", "PosX", "Memo"};
  const char* values[] = {"on", "ほらるね", "  blank first", "", "Mon073000"};
  TempFolder folder;
  for (int round = 0; round < 40; ++round) {
    const std::string start = round % 2 ? u8"; 朝の設定\n[Alarm]\nTitle00=朝\n[Body]\nGraph=a.bmp\n"
                                        : "[Alarm]\r\nTitle00=朝\r\n\r\n[Body]\r\nGraph=a.bmp";
    const std::string one = folder.File("one.ini");
    const std::string batch = folder.File("batch.ini");
    ASSERT_TRUE(TempFolder::Write(one, start));
    ASSERT_TRUE(TempFolder::Write(batch, start));
    IniFile file(batch);
    for (int step = 0; step < 12; ++step) {
      const char* section = sections[random() % 4];
      const char* key = keys[random() % 5];
      const char* value = values[random() % 5];
      switch (random() % 6) {
        case 0:
          ASSERT_TRUE(platform::WriteProfileString(section, nullptr, nullptr, one.c_str()));
          ASSERT_TRUE(file.DeleteSection(section));
          break;
        case 1:
          ASSERT_TRUE(platform::WriteProfileString(section, key, nullptr, one.c_str()));
          ASSERT_TRUE(file.DeleteKey(section, key));
          break;
        default:
          ASSERT_TRUE(platform::WriteProfileString(section, key, value, one.c_str()));
          ASSERT_TRUE(file.Set(section, key, value));
          break;
      }
      EXPECT_EQ(file.GetString(section, key, "non"),
                platform::ReadProfileString(section, key, "non", one.c_str()));
    }
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(Contents(batch), Contents(one)) << "round " << round;
  }
}

}  // namespace
