// The program's two writers of settings files, on files in every form an
// editor may leave: the display options into a skin, the alarm list into
// Horalune.DAT. The file keeps its encoding and line ends, lines no setting
// names keep their bytes, and everything reads back as written.
#include <gtest/gtest.h>

#include <string>

#include "alarm/alarm_list.h"
#include "app/config_file.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/text.h"
#include "platform/text_encoding.h"
#include "skin/skin_settings.h"
#include "temp_folder.h"

using platform::TextEncoding;
using testing_support::TempFolder;

namespace {

std::string InForm(const std::string& utf8, TextEncoding form) {
  return form == TextEncoding::Cp932 ? platform::Cp932FromUtf8(utf8)
                                     : platform::UnicodeFileFromUtf8(utf8, form);
}

std::string Contents(const std::string& path) {
  std::string bytes;
  platform::ReadWholeFile(path.c_str(), bytes);
  return bytes;
}

TEST(SettingsWriters, KeepEveryFormAndReadBackAsWritten) {
  TempFolder folder;
  for (const TextEncoding form : {TextEncoding::Cp932, TextEncoding::Utf8, TextEncoding::Utf8Bom,
                                  TextEncoding::Utf16LeBom, TextEncoding::Utf16BeBom,
                                  TextEncoding::Utf16Le}) {
    for (const std::string nl : {"\n", "\r\n"}) {
      for (const bool ended : {true, false}) {
        const std::string name = std::string(platform::EncodingName(form)) +
                                 (nl == "\n" ? " LF" : " CRLF") + (ended ? "" : " unended");
        // Display options into a skin: the comment and [Body] stay byte for byte.
        const std::string skin = folder.File("skin.hrl");
        const std::string skinHead = u8"; 月夜の時計" + nl + "[Initialize]" + nl + u8"Title=月夜" + nl;
        ASSERT_TRUE(TempFolder::Write(
            skin, InForm(skinHead + "PosX=1" + nl + "[Body]" + nl + "Graph=body.bmp" + (ended ? nl : ""),
                         form)));
        SkinSettings settings;
        settings.antiAliasing = true;
        ASSERT_TRUE(SaveDisplayOptions(skin, settings, -40, 7));
        EXPECT_EQ(Contents(skin),
                  InForm(skinHead + "PosX=-40" + nl + "AntiAliasing=1" + nl + "Topmost=0" + nl +
                             "PosY=7" + nl + "[Body]" + nl + "Graph=body.bmp" + (ended ? nl : ""),
                         form))
            << name;

        // The alarm list, rewritten whole: the same alarms come back.
        const std::string dat = folder.File("Horalune.DAT");
        const std::string datHead = "[Default]" + nl + u8"UserAnniversaryFile=記念日.txt" + nl;
        const std::string alarms = "[Alarm]" + nl + "Switch00=on" + nl + "Time00=Mon073000" + nl +
                                   u8"Title00=ﾈｺにごはん" + nl + u8"Message00=莉子" + nl +
                                   "Voice00=non" + nl;
        ASSERT_TRUE(TempFolder::Write(dat, InForm(datHead + alarms, form)));
        const AlarmList list(dat.c_str());
        ASSERT_EQ(list.Count(), 1) << name;
        ASSERT_TRUE(list.Save(dat.c_str())) << name;
        const platform::IniFile read(dat);
        EXPECT_EQ(read.Encoding(), form) << name;
        EXPECT_EQ(Contents(dat).substr(0, InForm(datHead, form).size()), InForm(datHead, form))
            << name;
        const AlarmList again(dat.c_str());
        ASSERT_EQ(again.Count(), 1) << name;
        EXPECT_EQ(again.Title(0), "ﾈｺにごはん") << name;
        EXPECT_EQ(again.Active(0)->Message(), "莉子") << name;
      }
    }
  }
}

}  // namespace
