// Paths are UTF-8 from the operating system to the file call; names read from
// data files are code page 932 and become paths where they meet their folder.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "alarm/voice_choice.h"
#include "app/config_file.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "platform/text_encoding.h"
#include "temp_folder.h"

using testing_support::TempFolder;

namespace {

// A folder name code page 932 cannot hold: é is not in it, and 𠮷 lies above
// U+FFFF (two UTF-16 units, four UTF-8 bytes).
const std::string kFolderName = u8"José 𠮷 時計";

}  // namespace

// UTF-16 units against a plain count over random code points of every width.
TEST(UnicodePaths, Utf16UnitsCountsSurrogatePairsAsTwo) {
  std::mt19937 random(12);
  const char32_t starts[] = {0x20, 0x80, 0x800, 0xE000, 0x10000};
  const char32_t ends[] = {0x7F, 0x7FF, 0xD7FF, 0xFFFD, 0x10FFFF};
  for (int round = 0; round < 200; ++round) {
    std::string utf8;
    std::size_t expected = 0;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) {
      const int kind = static_cast<int>(random() % 5);
      const char32_t c = starts[kind] + random() % (ends[kind] - starts[kind] + 1);
      platform::AppendUtf8(utf8, c);
      expected += c > 0xFFFF ? 2 : 1;
    }
    ASSERT_EQ(platform::Utf16Units(utf8.c_str()), expected) << utf8;
    ASSERT_EQ(platform::Utf8FromWide(platform::WideFromUtf8(utf8)), utf8);
  }
}

// The limit is 259 UTF-16 units: a path of many bytes but few units fits, one
// unit more names no file and nothing is cut.
TEST(UnicodePaths, LengthLimitIsInUtf16UnitsAndNeverCuts) {
  const std::string kanji = u8"時";       // 3 bytes, 1 unit
  const std::string astral = u8"𠮷";      // 4 bytes, 2 units
  std::string folder = "C:\\";
  while (platform::Utf16Units(folder.c_str()) + 2 <= 250) folder += astral;
  while (platform::Utf16Units(folder.c_str()) < 254) folder += kanji;
  folder += "\\";  // 255 units, far more than 259 bytes
  ASSERT_GT(folder.size(), 259u);
  EXPECT_EQ(platform::JoinPath(folder, "a.bm"), folder + "a.bm");  // 259 units
  EXPECT_EQ(platform::JoinPath(folder, "a.bmp"), "");              // 260
  EXPECT_EQ(platform::JoinPath(folder, "\x8E\x9E\x8C\x76"), folder + u8"時計");
  EXPECT_TRUE(platform::PathFits((folder + "abcd").c_str()));
  EXPECT_TRUE(platform::PathFits((folder + astral + "ab").c_str()));
  EXPECT_FALSE(platform::PathFits((folder + astral + "abc").c_str()));
  EXPECT_EQ(platform::PathFromCp932(std::string(260, 'a')), "");
  EXPECT_EQ(platform::PathFromCp932(std::string(259, 'a')), std::string(259, 'a'));
}

// Names from data files are code page 932, whose trail bytes may be 0x5C
// (表 is 0x95 0x5C, ソ is 0x83 0x5C): they reach the UTF-8 path converted,
// never as raw bytes.
TEST(UnicodePaths, Cp932NamesJoinUtf8Folders) {
  const std::string folder = "C:\\" + kFolderName + "\\";
  EXPECT_EQ(platform::JoinPath(folder, "\x95\x5C\x83\x5C\\\x8E\x9E\x8C\x76.bmp"),
            folder + u8"表ソ\\時計.bmp");
  EXPECT_EQ(ChooseAlarmVoice("default", "\x95\x5C.wav", folder), folder + u8"表.wav");
  EXPECT_EQ(ChooseAlarmVoice("C:\\\x95\x5C\\a.wav", "non", folder), u8"C:\\表\\a.wav");
  EXPECT_EQ(DataDirectoryFrom("\\\x95\x5C\\", folder), folder + u8"表\\");
  EXPECT_EQ(DataDirectoryFrom("D:\\\x83\x5C", folder), u8"D:\\ソ");
}

// A program folder code page 932 cannot hold: the settings file is found, the
// start-up skin it names (code page 932, in a folder whose names have 0x5C
// trail bytes) is chosen as a UTF-8 path; a program folder too deep for its
// settings file to have a path is told that the file is missing.
TEST(UnicodePaths, ProgramInAFolderCodePage932CannotHold) {
  std::vector<platform::Message> messages;
  platform::SetMessageSink([&messages](const platform::Message& m) {
    messages.push_back(m);
    return platform::MessageAnswer::Yes;
  });
  TempFolder scratch;  // an ASCII path, so code page 932 can name files in it
  const std::string program = scratch.Path() + kFolderName + "\\";
  ASSERT_TRUE(TempFolder::MakeFolder(program));
  ASSERT_TRUE(TempFolder::MakeFolder(scratch.Path() + u8"表 ソ"));
  const std::string skin = scratch.Path() + u8"表 ソ\\clock.HRL";
  ASSERT_TRUE(TempFolder::Write(skin, "[Body]\r\nGraph=body.bmp\r\n"));
  const std::string exeDat = scratch.Path() + "\x95\x5C \x83\x5C\\clock.HRL";
  const std::string settings = platform::SettingsFilePath(program);
  ASSERT_TRUE(TempFolder::Write(settings, "[Default]\r\nExeDat=" + exeDat + "\r\n"));

  EXPECT_TRUE(CheckConfigFile(program));
  StartupSkinChoice choice;
  EXPECT_EQ(ResolveStartupSkin(0, program, choice), 1);
  EXPECT_EQ(choice.chosenPath, skin);
  EXPECT_EQ(choice.dataDirectory, program);
  EXPECT_TRUE(messages.empty());

  // Written through the program and read back beside it, byte for byte.
  const std::string alarms = "[Alarm]\r\nTitle00=\x8E\x9E\x8C\x76\r\n";
  ASSERT_TRUE(platform::WriteFileSafely(settings.c_str(), alarms));
  std::string bytes;
  ASSERT_TRUE(platform::ReadWholeFile(settings.c_str(), bytes));
  EXPECT_EQ(bytes, alarms);

  // 80 kanji per folder: far below the host's own limits, but three of them
  // and the file name make more than 259 UTF-16 units.
  std::string deep = scratch.Path();
  std::string kanji;
  for (int i = 0; i < 80; ++i) kanji += u8"時";
  for (int level = 0; level < 3; ++level) {
    deep += kanji + "\\";
    if (!TempFolder::MakeFolder(deep)) break;  // Windows stops at 260 units
  }
  ASSERT_FALSE(platform::PathFits((deep + platform::kSettingsFileName).c_str()));
  TempFolder::Write(deep + platform::kSettingsFileName, "[Default]\r\n");
  EXPECT_TRUE(CheckConfigFile(deep));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].kind, platform::MessageKind::Information);
  EXPECT_NE(messages[0].text.find("がありません"), std::string::npos);
  platform::SetMessageSink(nullptr);
}
