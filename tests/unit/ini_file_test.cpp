// Settings files from any editor: Unicode files keep their encoding, byte-order
// mark and line ends; nothing the user wrote is lost; a batch of edits gives the
// same file as the same edits one call at a time.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/profile.h"
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

TEST(IniFileEncodings, UnicodeFilesKeepTheirFormWhenWritten) {
  struct Case {
    const char* name;
    std::string before;
    TextEncoding encoding;
    std::string after;
  };
  const std::string before = u8"; 表示の設定\n[Initialize]\nTitle = 時計\nPosX=1\n[Body]\nGraph=body.bmp\n";
  const std::string after =
      u8"; 表示の設定\n[Initialize]\nTitle = 時計\nPosX=-20\nMemo=ほらるね\n[Body]\nGraph=body.bmp\n";
  const std::vector<Case> cases = {
      {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + before, TextEncoding::Utf8Bom,
       "\xEF\xBB\xBF" + after},
      {"UTF-8 without one", before, TextEncoding::Utf8, after},
      {"UTF-16", Utf16(before), TextEncoding::Utf16LeBom, Utf16(after)},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    const std::string path = folder.File("skin.hrl");
    ASSERT_TRUE(TempFolder::Write(path, c.before));
    IniFile file(path);
    EXPECT_EQ(file.Encoding(), c.encoding) << c.name;
    EXPECT_EQ(file.GetString("initialize", "title", "non"), "時計") << c.name;
    EXPECT_TRUE(file.Set("Initialize", "PosX", "-20"));
    EXPECT_TRUE(file.Set("Initialize", "Memo", "ほらるね"));
    EXPECT_TRUE(file.Save());
    EXPECT_EQ(Contents(path), c.after) << c.name;
    EXPECT_FALSE(platform::FileExists((path + ".bak").c_str())) << c.name;
    EXPECT_EQ(platform::ReadProfileString("Initialize", "Memo", "", path.c_str()), "ほらるね");
  }
}

TEST(IniFileEncodings, TextCp932CannotHoldIsKeptBesideBeforeItIsRewritten) {
  TempFolder folder;
  const std::string path = folder.File("Horalune.DAT");
  const std::string original =
      u8"[Initialize]\r\nPosX=1\r\n[Alarm]\r\nTitle00=𠮷野家で昼食\r\nSwitch00=on\r\n";
  ASSERT_TRUE(TempFolder::Write(path, original));
  {
    IniFile file(path);
    const std::string title = file.GetString("Alarm", "Title00", "");
    EXPECT_EQ(title.substr(title.size() - 10), "野家で昼食");
    EXPECT_EQ(title[0], '?');
    // Lines holding that text stay as they are: no copy needed.
    EXPECT_TRUE(file.Set("Initialize", "PosX", "5"));
    EXPECT_TRUE(file.Save());
  }
  EXPECT_FALSE(platform::FileExists((path + ".bak").c_str()));
  const std::string beforeRewrite = Contents(path);
  {
    IniFile file(path);
    EXPECT_TRUE(file.DeleteSection("Alarm"));
    EXPECT_TRUE(file.Set("Alarm", "Title00", file.GetString("Alarm", "Title00", "x").c_str()));
    EXPECT_TRUE(file.Save());
  }
  EXPECT_EQ(Contents(path + ".bak"), beforeRewrite);
  EXPECT_EQ(Contents(path), u8"[Initialize]\r\nPosX=5\r\n[Alarm]\r\nTitle00=x\r\n");
}

TEST(IniFileEncodings, FilesWeCannotReadAreReadAsBytesAndNeverWritten) {
  TempFolder folder;
  const std::vector<std::string> unreadable = {
      "\xEF\xBB\xBF[a]\r\nk=1\r\n[b]\r\nk=\x8E\x9E\x8C\x76\r\n",  // CP932 after a UTF-8 mark
      "\xFF\xFEx\r\n[b]\r\nk=2\r\n",  // UTF-16 of odd length
  };
  for (const std::string& bytes : unreadable) {
    const std::string path = folder.File("odd.hrl");
    ASSERT_TRUE(TempFolder::Write(path, bytes));
    IniFile file(path);
    EXPECT_EQ(file.Encoding(), TextEncoding::Unreadable);
    EXPECT_NE(file.GetString("b", "k", "non"), "non");
    EXPECT_FALSE(file.Set("b", "k", "3"));
    EXPECT_FALSE(file.DeleteSection("b"));
    EXPECT_TRUE(file.Save());  // nothing to write
    EXPECT_FALSE(platform::WriteProfileString("b", "k", "4", path.c_str()));
    EXPECT_EQ(Contents(path), bytes);
  }
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
