// Start-up configuration and skin-file rules, against real files in a scratch
// folder (the Windows build reads them with the platform's own INI functions).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/app_texts.h"
#include "app/config_file.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "render/clock_state.h"

namespace {

namespace fs = std::filesystem;
using platform::Message;
using platform::MessageAnswer;
using platform::MessageKind;

class ConfigFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() / (std::string("horalune_cfg_") + info->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    dir_ = folder_.string();
    dir_ += static_cast<char>(fs::path::preferred_separator);
    platform::SetMessageSink([this](const Message& m) {
      messages_.push_back(m);
      return answer_;
    });
  }
  void TearDown() override {
    platform::SetMessageSink(nullptr);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  std::string Write(const std::string& name, const std::string& content) {
    const std::string path = dir_ + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  std::string Read(const std::string& name) {
    std::ifstream in(dir_ + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string Config(const std::string& defaultSection) {
    return Write("Horalune.DAT", "[Default]\r\n" + defaultSection);
  }

  fs::path folder_;
  std::string dir_;  // ends in a separator, like the program directory
  std::vector<Message> messages_;
  MessageAnswer answer_ = MessageAnswer::Ok;
};

TEST_F(ConfigFileTest, MissingConfigFileIsANoticeAndStartUpGoesOn) {
  EXPECT_TRUE(CheckConfigFile(dir_));
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].kind, MessageKind::Information);
  EXPECT_EQ(messages_[0].owner, nullptr);
  EXPECT_EQ(messages_[0].caption, platform::kCaption);
  EXPECT_EQ(messages_[0].text,
            "設定用ファイル[Horalune.DAT]がありません.\n標準設定で開始します.\n\n"
            "終了時にルートフォルダに作成します.");

  messages_.clear();
  Config("");
  EXPECT_TRUE(CheckConfigFile(dir_));
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(platform::SettingsFilePath(dir_), dir_ + "Horalune.DAT");
}

TEST(DataDirectory, FollowsTheDataDirValue) {
  const std::string program = "C:\\Clock\\";
  struct Case {
    const char* value;
    std::string expected;
  } cases[] = {
      {"non", program},
      {"NON", program},
      {"nOn", program},
      {"", program},
      {"skins", program + "skins"},
      {"\\skins", program + "skins"},
      {"\\\\skins", program + "\\skins"},  // only one backslash is dropped
      {"D:\\Skins", "D:\\Skins"},
      {"d:", "d:"},
      {"1:\\x", program + "1:\\x"},  // a digit is no drive letter
      // A value is code page 932 (表 ends in 0x5C); the folder comes out UTF-8.
      {"表\\", program + u8"表\\"},
      {"D:\\表", u8"D:\\表"},
  };
  for (const Case& c : cases) EXPECT_EQ(DataDirectoryFrom(c.value, program), c.expected) << c.value;
}

TEST_F(ConfigFileTest, NoExeDatAsksTheUser) {
  StartupSkinChoice choice;
  EXPECT_EQ(ResolveStartupSkin(0, dir_, choice), -1);  // no configuration file at all
  EXPECT_EQ(choice.dataDirectory, dir_);
  Config("DataDir=skins\r\nExeDat=NON\r\n");
  EXPECT_EQ(ResolveStartupSkin(0, dir_, choice), -1);
  EXPECT_EQ(choice.dataDirectory, dir_ + "skins");
  EXPECT_TRUE(messages_.empty());
  EXPECT_FALSE(choice.exitRequested);
}

TEST_F(ConfigFileTest, ExeDatNamingARecognisedSkinIsChosen) {
  const std::string skin = Write("clock.HRL", "[Body]\r\nGraph=body.bmp\r\n");
  Config("ExeDat=" + skin + "\r\n");
  StartupSkinChoice choice;
  EXPECT_EQ(ResolveStartupSkin(0, dir_, choice), 1);
  EXPECT_EQ(choice.chosenPath, skin);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(ConfigFileTest, ExeDatNamingAMissingFileWarnsAndAsks) {
  const std::string missing = dir_ + "gone.HRL";
  Config("ExeDat=" + missing + "\r\n");
  StartupSkinChoice choice;
  EXPECT_EQ(ResolveStartupSkin(0, dir_, choice), -1);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].kind, MessageKind::Warning);
  EXPECT_EQ(messages_[0].buttons, platform::MessageButtons::Ok);
  EXPECT_EQ(messages_[0].text,
            "設定用ファイル[Horalune.DAT]より\n[Default]\nExeDat = …\nで指定したファイル\n" + missing +
                "\nがありません.\n他のファイルを選択をして下さい.");
}

TEST_F(ConfigFileTest, ExeDatNamingAnotherFileAsksYesOrNo) {
  const std::string text = Write("notes.txt", "just text\r\n");
  Config("ExeDat=" + text + "\r\n");
  StartupSkinChoice choice;
  answer_ = MessageAnswer::Yes;
  EXPECT_EQ(ResolveStartupSkin(0, dir_, choice), -1);
  EXPECT_FALSE(choice.exitRequested);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].buttons, platform::MessageButtons::YesNo);
  EXPECT_EQ(messages_[0].kind, MessageKind::Warning);
  EXPECT_NE(messages_[0].text.find("は時計用データではありません.\nもしくは使用できないファイルです."),
            std::string::npos);
  EXPECT_NE(messages_[0].text.find(text), std::string::npos);

  answer_ = MessageAnswer::No;
  EXPECT_EQ(ResolveStartupSkin(0, dir_, choice), 0);
  EXPECT_TRUE(choice.exitRequested);
  EXPECT_TRUE(choice.chosenPath.empty());
}

TEST_F(ConfigFileTest, CommandLineStartStopsAfterARelativeDataDir) {
  Config("DataDir=\\skins\r\nExeDat=" + dir_ + "gone.HRL\r\n");
  StartupSkinChoice choice;
  EXPECT_EQ(ResolveStartupSkin(1, dir_, choice), 0);
  EXPECT_EQ(choice.dataDirectory, dir_ + "skins");
  EXPECT_TRUE(messages_.empty());

  // With DataDir absent it goes on through ExeDat, messages and all.
  Config("ExeDat=" + dir_ + "gone.HRL\r\n");
  EXPECT_EQ(ResolveStartupSkin(1, dir_, choice), -1);
  EXPECT_EQ(choice.dataDirectory, dir_);
  EXPECT_EQ(messages_.size(), 1u);
}

TEST_F(ConfigFileTest, SkinFileRecognition) {
  struct Case {
    const char* body;
    bool expected;
  } cases[] = {
      {"[Body]\r\nGraph=body.bmp\r\n", true},
      {"[body]\r\ngraph = frame\\body.bmp\r\n", true},
      {"[Body]\r\nGraph=non\r\n", false},
      {"[Body]\r\nGraph=NON\r\n", false},
      {"[Body]\r\nGraph=;body.bmp\r\n", false},
      {"[Body]\r\nMask=body.bmp\r\n", false},
      {"[Initialize]\r\nGraph=body.bmp\r\n", false},
      {"", false},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string path = Write("skin" + std::to_string(n++) + ".HRL", c.body);
    EXPECT_EQ(IsSkinFile(path.c_str()), c.expected) << c.body;
  }
  EXPECT_FALSE(IsSkinFile((dir_ + "absent.HRL").c_str()));
}

TEST(SkinDirectory, EndsAtTheLastRealBackslash) {
  ClockState clock;
  // The path is UTF-8: 時 ends in 0x82, a code page 932 lead byte, and the
  // backslash after it still separates.
  EXPECT_TRUE(SetSkinDirectory(clock, u8"C:\\skins\\時\\clock.HRL"));
  EXPECT_EQ(clock.skinDirectory, u8"C:\\skins\\時\\");
  EXPECT_TRUE(SetSkinDirectory(clock, u8"C:\\ソ"));
  EXPECT_EQ(clock.skinDirectory, "C:\\");
  EXPECT_FALSE(SetSkinDirectory(clock, "clock.HRL"));
  EXPECT_EQ(clock.skinDirectory, "");
}

TEST_F(ConfigFileTest, DisplayOptionsAreWrittenInTheirOrder) {
  const std::string skin = Write("a.HRL", "[Body]\r\nGraph=body.bmp\r\n");
  SkinSettings settings;
  settings.antiAliasing = true;
  settings.topmost = false;
  settings.specialMenu = 1;
  settings.effect = 4;
  EXPECT_TRUE(SaveDisplayOptions(skin, settings, -12, 345));
  const std::string written = Read("a.HRL");
  const std::size_t section = written.find("[Initialize]");
  ASSERT_NE(section, std::string::npos);
  const std::size_t aa = written.find("AntiAliasing=1", section);
  const std::size_t effect = written.find("Effect=4", section);
  const std::size_t topmost = written.find("Topmost=0", section);
  const std::size_t posY = written.find("PosY=345", section);
  const std::size_t posX = written.find("PosX=-12", section);
  ASSERT_NE(posX, std::string::npos) << written;
  EXPECT_LT(aa, effect);
  EXPECT_LT(effect, topmost);
  EXPECT_LT(topmost, posY);
  EXPECT_LT(posY, posX);
  EXPECT_NE(written.find("Graph=body.bmp"), std::string::npos);
  EXPECT_FALSE(SaveDisplayOptions(dir_ + "gone" + dir_.back() + "a.HRL", settings, 0, 0));
}

TEST_F(ConfigFileTest, EffectIsWrittenOnlyWithSpecialMenuOne) {
  for (int mode : {0, 2}) {
    const std::string name = "m" + std::to_string(mode) + ".HRL";
    const std::string skin = Write(name, "[Initialize]\r\nTitle=x\r\n");
    SkinSettings settings;
    settings.specialMenu = mode;
    settings.effect = 2;
    settings.topmost = true;
    SaveDisplayOptions(skin, settings, 1, 2);
    const std::string written = Read(name);
    EXPECT_EQ(written.find("Effect"), std::string::npos) << mode;
    EXPECT_NE(written.find("Topmost=1"), std::string::npos) << written;
    EXPECT_NE(written.find("AntiAliasing=0"), std::string::npos) << written;
  }
}

TEST_F(ConfigFileTest, ExistingDisplayOptionsAreReplacedInPlace) {
  const std::string skin =
      Write("b.HRL", "[Initialize]\r\nPosX=5\r\nTitle=keep\r\nPosY=6\r\n[Body]\r\nGraph=b.bmp\r\n");
  SkinSettings settings;
  SaveDisplayOptions(skin, settings, 70, 80);
  const std::string written = Read("b.HRL");
  EXPECT_LT(written.find("PosX=70"), written.find("Title=keep")) << written;
  EXPECT_LT(written.find("Title=keep"), written.find("PosY=80")) << written;
  EXPECT_EQ(written.find("PosX=5"), std::string::npos);
  EXPECT_NE(written.find("Graph=b.bmp"), std::string::npos);
}

// The Opacity rule against a plain model: the choice nearest to the number
// (halves up, clamped to 50..100), 100 for what is not a number.
TEST(WindowLookKeys, OpacityIsTheNearestChoiceAndClickThroughAnyNonZero) {
  for (long n = -300; n <= 300; ++n) {
    int nearest = 100;
    long best = -1;
    for (int choice : kOpacityChoices) {
      const long distance = 2 * (n > choice ? n - choice : choice - n) - (choice > n ? 1 : 0);
      if (best < 0 || distance < best) best = distance, nearest = choice;
    }
    EXPECT_EQ(OpacityFromText(std::to_string(n)), nearest) << n;
    EXPECT_EQ(OpacityFromText("  " + std::to_string(n) + " %"), nearest) << n;
    EXPECT_EQ(ClickThroughFromText(std::to_string(n)), n != 0) << n;
  }
  for (const char* text : {"", "abc", "-", "%80", "99999999999999999999"}) {
    EXPECT_EQ(OpacityFromText(text), 100) << text;
  }
  EXPECT_EQ(OpacityFromText("-99999999999999999999"), 50);
  EXPECT_FALSE(ClickThroughFromText(""));
  EXPECT_FALSE(ClickThroughFromText("on"));
}

// Read from [Default], written back into it without touching any other key;
// a missing file reads as the defaults.
TEST_F(ConfigFileTest, WindowLookIsKeptInTheDefaultSection) {
  EXPECT_EQ(ReadWindowLook(dir_).opacityPercent, 100);  // no file: the defaults
  EXPECT_FALSE(ReadWindowLook(dir_).clickThrough);
  Config("DataDir=non\r\nOpacity=74\r\nExeDat=non\r\n[Alarm]\r\nCount=0\r\n");
  WindowLook look = ReadWindowLook(dir_);
  EXPECT_EQ(look.opacityPercent, 70);
  EXPECT_FALSE(look.clickThrough);
  look.opacityPercent = 60;
  look.clickThrough = true;
  ASSERT_TRUE(SaveWindowLook(dir_, look));
  EXPECT_EQ(Read("Horalune.DAT"),
            "[Default]\r\nDataDir=non\r\nOpacity=60\r\nExeDat=non\r\nClickThrough=1\r\n"
            "[Alarm]\r\nCount=0\r\n");
  look = ReadWindowLook(dir_);
  EXPECT_EQ(look.opacityPercent, 60);
  EXPECT_TRUE(look.clickThrough);
}

TEST_F(ConfigFileTest, NothingIsWrittenBeforeASkinIsSettled) {
  EXPECT_TRUE(SaveDisplayOptions("", SkinSettings{}, 1, 2));
  EXPECT_TRUE(fs::is_empty(folder_));
}

}  // namespace

namespace {

// "Wake the PC for alarms" is off until chosen, survives a restart, and its
// save leaves the rest of the settings file (alarms included) as it was.
TEST_F(ConfigFileTest, WakeForAlarmsIsOffUntilChosenAndKeptBesideTheRest) {
  EXPECT_FALSE(ReadWakeForAlarms(dir_));  // no settings file yet
  const std::string original =
      "[Default]\r\nDataDir=skins\r\nExeDat=a.hrl\r\n[Alarm]\r\nTime0=073000\r\n";
  Write(platform::kSettingsFileName, original);
  EXPECT_FALSE(ReadWakeForAlarms(dir_));
  ASSERT_TRUE(SaveWakeForAlarms(dir_, true));
  EXPECT_TRUE(ReadWakeForAlarms(dir_));
  const std::string on = Read(platform::kSettingsFileName);
  EXPECT_EQ(on, "[Default]\r\nDataDir=skins\r\nExeDat=a.hrl\r\nWakeForAlarms=1\r\n[Alarm]\r\n"
                "Time0=073000\r\n");
  ASSERT_TRUE(SaveWakeForAlarms(dir_, false));
  EXPECT_FALSE(ReadWakeForAlarms(dir_));
  // Only 1 means on: a value edited by hand to anything else is off.
  for (const char* value : {"2", "yes", "-1", ""}) {
    Write(platform::kSettingsFileName, std::string("[Default]\r\nWakeForAlarms=") + value + "\r\n");
    EXPECT_FALSE(ReadWakeForAlarms(dir_)) << value;
  }
  EXPECT_TRUE(messages_.empty());
}

}  // namespace
