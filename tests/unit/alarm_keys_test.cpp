#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>
#include <string>

#include "alarm/alarm_keys.h"
#include "alarm/alarm_list.h"
#include "alarm/alarm_handover.h"
#include "platform/files.h"
#include "platform/profile.h"

namespace {

// A Horalune.DAT of its own per test, removed afterwards.
class DatFile {
 public:
  DatFile() {
    static int counter = 0;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("horalune-alarm-" + std::to_string(++counter) + "-" + info->name() + ".DAT");
    std::filesystem::remove(path_);
  }
  ~DatFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  DatFile(const DatFile&) = delete;
  DatFile& operator=(const DatFile&) = delete;

  void Write(const std::string& text) const {
    std::ofstream out(path_, std::ios::binary);
    out << text;
  }
  std::string Read() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string Key(const char* section, const char* key) const {
    return platform::ReadProfileString(section, key, "<none>", Path().c_str(), 1024);
  }
  std::string Path() const { return path_.string(); }
  bool Exists() const { return std::filesystem::exists(path_); }

 private:
  std::filesystem::path path_;
};

TEST(AlarmKeyNames, TwoDigitNumbers) {
  EXPECT_EQ(AlarmKeyName("Time", 0), "Time00");
  EXPECT_EQ(AlarmKeyName("Voice", 7), "Voice07");
  EXPECT_EQ(AlarmKeyName("Switch", 99), "Switch99");
}

TEST(AlarmLoad, MissingFileReadsAsNoAlarms) {
  DatFile dat;
  AlarmList list(dat.Path().c_str());
  EXPECT_EQ(list.Count(), 0);
  EXPECT_FALSE(dat.Exists());  // reading creates nothing
  // Left beside by a save that ended half way: waited for briefly, then the
  // file counts as missing, not as unreadable.
  const std::string beside = platform::PathWrittenBeside(dat.Path());
  std::ofstream(beside) << "[Alarm]\r\nTime00=070000\r\n";
  list.Load(dat.Path().c_str());
  EXPECT_FALSE(list.Unavailable());
  EXPECT_EQ(list.Count(), 0);
  std::filesystem::remove(beside);
}

TEST(AlarmLoad, ReadsEveryKeyWithDefaults) {
  DatFile dat;
  dat.Write(
      "[Default]\r\nDataDir=C:\\skins\r\n"
      "[Alarm]\r\n"
      "Switch00=on\r\nTime00=Mon083000\r\nTitle00=起床\r\nMessage00=おはよう\r\n"
      "Voice00=C:\\sounds\\chime.wav\r\n"
      "Time01=235959\r\n");
  AlarmList list(dat.Path().c_str());
  ASSERT_EQ(list.Count(), 2);
  const AlarmRecord* first = list.Active(0);
  EXPECT_TRUE(first->SwitchOn());
  EXPECT_EQ(first->FormatTimeKey(), "Mon083000");
  EXPECT_EQ(first->Title(), "起床");
  EXPECT_EQ(first->Message(), "おはよう");
  EXPECT_EQ(first->Voice(), "C:\\sounds\\chime.wav");
  const AlarmRecord* second = list.Active(1);
  EXPECT_FALSE(second->SwitchOn());
  EXPECT_EQ(second->Weekday(), kEveryDay);
  EXPECT_EQ(second->Title(), "未タイトルのメッセージ");
  EXPECT_EQ(second->Message(), "登録メッセージ無し");
  EXPECT_EQ(second->Voice(), "default");
}

TEST(AlarmLoad, PacksPastGapsAndInvalidKeys) {
  DatFile dat;
  dat.Write(
      "[Alarm]\r\n"
      "Time02=999999\r\nTitle02=bad\r\n"
      "Time03=070000\r\nTitle03=three\r\n"
      "Time04=250000\r\n"
      "Time05=NaZo\r\nTitle05=missing\r\n"
      "Time07=080000\r\nTitle07=seven\r\n"
      "Time06=\r\nTitle06=six\r\n");
  AlarmList list(dat.Path().c_str());
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Title(0), "three");
  EXPECT_EQ(list.Title(1), "six");  // an empty key is midnight, every day
  EXPECT_EQ(list.Active(1)->TimeCode(), 0);
  EXPECT_EQ(list.Title(2), "seven");
}

TEST(AlarmLoad, SwitchIsOnOnlyForOn) {
  DatFile dat;
  dat.Write(
      "[Alarm]\r\n"
      "Switch00=ON\r\nTime00=000000\r\n"
      "Switch01=yes\r\nTime01=000000\r\n"
      "Time02=000000\r\n"
      "Switch03=oN\r\nTime03=000000\r\n");
  AlarmList list(dat.Path().c_str());
  ASSERT_EQ(list.Count(), 4);
  EXPECT_TRUE(list.Active(0)->SwitchOn());
  EXPECT_FALSE(list.Active(1)->SwitchOn());
  EXPECT_FALSE(list.Active(2)->SwitchOn());
  EXPECT_TRUE(list.Active(3)->SwitchOn());
}

TEST(AlarmLoad, NothingIsReadFromOneHundredOn) {
  DatFile dat;
  dat.Write("[Alarm]\r\nTime100=120000\r\nTime999=120000\r\nTime99=120000\r\nTitle99=last\r\n");
  AlarmList list(dat.Path().c_str());
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Title(0), "last");
}

TEST(AlarmLoad, LongValuesAreCutAt255Bytes) {
  DatFile dat;
  const std::string longTitle(300, 'T');
  const std::string longVoice = "C:\\" + std::string(297, 'v');
  dat.Write("[Alarm]\r\nTime00=000000\r\nTitle00=" + longTitle + "\r\nMessage00=" +
            std::string(300, 'm') + "\r\nVoice00=" + longVoice + "\r\n");
  AlarmList list(dat.Path().c_str());
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Title(0), longTitle.substr(0, 255));
  EXPECT_EQ(list.Voice(0), longVoice.substr(0, 255));
  EXPECT_EQ(list.Active(0)->Message().size(), 255u);
}

TEST(AlarmLoad, StrayBytesNeverBreakTheList) {
  DatFile dat;
  std::string junk = "\x81\xFF\x80\xA0\xFD\x82";  // lone and invalid code page 932 bytes
  dat.Write("[Alarm]\r\nTime00=\x82" "120000\r\nTitle00=" + junk +
            "\r\nTime01=" + junk + "\r\nMessage01=" + junk + "\r\nTime02=Sat\xFF" "1\r\n");
  AlarmList list(dat.Path().c_str());
  // "\x82..." and the junk key read no digits: midnight; "Sat\xFF1" is Saturday.
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Active(0)->TimeCode(), 0);
  EXPECT_EQ(list.Active(2)->Weekday(), 6);
  EXPECT_EQ(list.Active(2)->TimeCode(), 0);
}

TEST(AlarmSave, WritesKeysInOrderFromZero) {
  DatFile dat;
  dat.Write("[Alarm]\r\nSwitch03=on\r\nTime03=070000\r\nTime07=Tue080000\r\n");
  AlarmList list(dat.Path().c_str());
  ASSERT_EQ(list.Count(), 2);
  ASSERT_TRUE(list.Save(dat.Path().c_str()));
  EXPECT_EQ(dat.Key("Alarm", "Switch00"), "on");
  EXPECT_EQ(dat.Key("Alarm", "Time00"), "070000");
  EXPECT_EQ(dat.Key("Alarm", "Title00"), "未タイトルのメッセージ");
  EXPECT_EQ(dat.Key("Alarm", "Message00"), "登録メッセージ無し");
  EXPECT_EQ(dat.Key("Alarm", "Voice00"), "default");
  EXPECT_EQ(dat.Key("Alarm", "Switch01"), "off");
  EXPECT_EQ(dat.Key("Alarm", "Time01"), "Tue080000");
  EXPECT_EQ(dat.Key("Alarm", "Time03"), "<none>");
  EXPECT_EQ(dat.Key("Alarm", "Time07"), "<none>");
  const std::string text = dat.Read();
  const auto at = [&](const char* key) { return text.find(key); };
  EXPECT_LT(at("Switch00="), at("Time00="));
  EXPECT_LT(at("Time00="), at("Title00="));
  EXPECT_LT(at("Title00="), at("Message00="));
  EXPECT_LT(at("Message00="), at("Voice00="));
  EXPECT_LT(at("Voice00="), at("Switch01="));
}

TEST(AlarmSave, RoundTripKeepsEveryField) {
  DatFile dat;
  AlarmList list(nullptr);
  list.BeginEdit();
  ASSERT_TRUE(list.AddWorking());
  ASSERT_TRUE(list.StoreWorking(0, true, "Sun000001", "表示テスト", "ソフト", "C:\\表\\a.wav"));
  ASSERT_TRUE(list.AddWorking());
  ASSERT_TRUE(list.StoreWorking(1, false, "235959", "", "", "DEFAULT"));
  list.EndEdit(true);
  ASSERT_TRUE(list.Save(dat.Path().c_str()));

  AlarmList again(dat.Path().c_str());
  ASSERT_EQ(again.Count(), 2);
  for (int i = 0; i < 2; ++i) {
    const AlarmRecord* a = list.Active(i);
    const AlarmRecord* b = again.Active(i);
    EXPECT_EQ(b->SwitchOn(), a->SwitchOn());
    EXPECT_EQ(b->FormatTimeKey(), a->FormatTimeKey());
    EXPECT_EQ(b->Title(), a->Title());
    EXPECT_EQ(b->Message(), a->Message());
    EXPECT_EQ(b->Voice(), a->Voice());
  }
}

TEST(AlarmSave, NoAlarmsRemoveTheSectionAndKeepTheRest) {
  DatFile dat;
  dat.Write("[Default]\r\nDataDir=C:\\skins\r\n[Alarm]\r\nTime00=070000\r\nTime01=080000\r\n");
  AlarmList list(dat.Path().c_str());
  ASSERT_EQ(list.Count(), 2);
  list.BeginEdit();
  ASSERT_TRUE(list.DeleteWorking(0));
  list.EndEdit(true);
  ASSERT_TRUE(list.Save(dat.Path().c_str()));
  EXPECT_EQ(dat.Key("Alarm", "Time00"), "080000");
  EXPECT_EQ(dat.Key("Alarm", "Time01"), "<none>");  // no stale alarm comes back

  list.BeginEdit();
  ASSERT_TRUE(list.DeleteWorking(0));
  list.EndEdit(true);
  ASSERT_TRUE(list.Save(dat.Path().c_str()));
  EXPECT_EQ(dat.Read().find("[Alarm]"), std::string::npos);
  EXPECT_EQ(dat.Key("Default", "DataDir"), "C:\\skins");
}

TEST(AlarmSave, CreatesTheFileWhenItIsMissing) {
  DatFile dat;
  AlarmList list(nullptr);
  list.BeginEdit();
  ASSERT_TRUE(list.AddWorking());
  list.EndEdit(true);
  ASSERT_TRUE(list.Save(dat.Path().c_str()));
  EXPECT_EQ(dat.Key("Alarm", "Time00"), "000000");
  // With no alarms at all the file still appears: the start-up notice says
  // the settings file is created at exit.
  AlarmList empty(nullptr);
  DatFile none;
  EXPECT_TRUE(empty.Save(none.Path().c_str()));
  EXPECT_TRUE(none.Exists());
  EXPECT_EQ(none.Read().find("[Alarm]"), std::string::npos);
}

// A save that cannot be written leaves the previous file whole and the list as
// it was, so the next save can try again.
TEST(AlarmSave, AFailedSaveLeavesTheOldFile) {
  DatFile dat;
  const std::string before = "[Default]\r\nExeDat=a.HRL\r\n[Alarm]\r\nSwitch00=on\r\nTime00=070000\r\n";
  dat.Write(before);
  AlarmList list(nullptr);
  list.BeginEdit();
  ASSERT_TRUE(list.AddWorking());
  list.EndEdit(true);
  // The file is written beside its place first; a folder there stops that.
  const std::filesystem::path beside = platform::PathWrittenBeside(dat.Path());
  std::filesystem::create_directory(beside);
  EXPECT_FALSE(list.Save(dat.Path().c_str()));
  EXPECT_EQ(dat.Read(), before);
  EXPECT_EQ(list.Count(), 1);
  std::filesystem::remove(beside);
  EXPECT_TRUE(list.Save(dat.Path().c_str()));
  EXPECT_EQ(dat.Key("Alarm", "Time00"), "000000");
}

// Random edits, saves that fail, and spells when the file cannot be read
// (another program replacing it, a scanner holding it): the file always holds
// the last list the user committed that a save reached, with the last second
// looked at written beside it. An unreadable file loads as an unavailable list,
// never as an empty one, and nothing is saved over it until it reads again.
TEST(AlarmSave, TheFileAlwaysHoldsAListTheUserCommitted) {
  using Keys = std::vector<std::string>;
  const auto keysOf = [](const AlarmList& list) {
    Keys keys;
    for (int i = 0; i < list.Count(); ++i) keys.push_back(list.Active(i)->FormatTimeKey());
    return keys;
  };
  for (unsigned seed = 1; seed <= 2; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    DatFile dat;
    dat.Write("[Default]\r\nDataDir=non\r\n");
    AlarmList list(dat.Path().c_str());
    Keys onDisk;
    std::string lastCheckedOnDisk;
    for (int step = 0; step < 30; ++step) {
      if (random() % 5 != 0) {  // the user commits an edit, and it is saved
        Keys keys = keysOf(list);
        if (!keys.empty() && random() % 3 == 0) keys.erase(keys.begin() + random() % keys.size());
        char key[16];
        std::snprintf(key, sizeof key, "%02u%02u00", static_cast<unsigned>(random() % 24),
                      static_cast<unsigned>(random() % 60));
        keys.insert(keys.begin() + random() % (keys.size() + 1), key);
        list.BeginEdit();
        while (list.WorkingCount() > 0) list.DeleteWorking(0);
        for (const std::string& k : keys) {
          ASSERT_TRUE(list.AddWorking());
          ASSERT_TRUE(list.StoreWorking(list.WorkingCount() - 1, true, k.c_str(), "t", "m", ""));
        }
        list.EndEdit(true);
        const bool blocked = random() % 4 == 0;
        const std::filesystem::path beside = platform::PathWrittenBeside(dat.Path());
        if (blocked) std::filesystem::create_directory(beside);
        const std::string lastChecked = FormatLastChecked(step * 1000);
        EXPECT_EQ(list.Save(dat.Path().c_str(), lastChecked), !blocked);
        if (blocked) std::filesystem::remove(beside);
        if (!blocked) {
          onDisk = keys;
          lastCheckedOnDisk = lastChecked;
        }
      } else {  // the file cannot be read for a while, then can again
        const std::filesystem::path aside = dat.Path() + ".aside";
        std::filesystem::rename(dat.Path(), aside);
        std::filesystem::create_directory(dat.Path());
        list.Load(dat.Path().c_str());
        EXPECT_TRUE(list.Unavailable());
        EXPECT_EQ(list.Count(), 0);
        EXPECT_FALSE(list.Save(dat.Path().c_str()));
        std::filesystem::remove(dat.Path());
        std::filesystem::rename(aside, dat.Path());
        EXPECT_FALSE(list.Save(dat.Path().c_str(), FormatLastChecked(0)));
        list.Load(dat.Path().c_str());
        EXPECT_FALSE(list.Unavailable());
      }
      const AlarmList fromDisk(dat.Path().c_str());
      ASSERT_EQ(keysOf(fromDisk), onDisk);
      std::int64_t serial = -1;
      if (!lastCheckedOnDisk.empty()) {
        ASSERT_TRUE(ReadLastChecked(dat.Path().c_str(), serial));
        EXPECT_EQ(FormatLastChecked(serial), lastCheckedOnDisk);
      }
      EXPECT_EQ(dat.Key("Default", "DataDir"), "non");
    }
  }
}

TEST(AlarmSave, TypedLineBreaksCannotInjectKeys) {
  DatFile dat;
  AlarmList list(nullptr);
  list.BeginEdit();
  ASSERT_TRUE(list.AddWorking());
  ASSERT_TRUE(list.StoreWorking(0, false, "120000", "x\r\nTime05=000000\r\nSwitch05=on", "", ""));
  list.EndEdit(true);
  ASSERT_TRUE(list.Save(dat.Path().c_str()));
  AlarmList again(dat.Path().c_str());
  EXPECT_EQ(again.Count(), 1);
  EXPECT_EQ(dat.Key("Alarm", "Time05"), "<none>");
}

}  // namespace

// A Horalune.DAT that an editor saved as UTF-8 with LF line ends: the alarms
// load, and a save rewrites only the alarm lines, in UTF-8 with LF.
TEST(AlarmSave, KeepsAnEditorsUtf8AndLineEnds) {
  DatFile dat;
  const std::string head = u8"[Default]\nDataDir=C:\\時計\n";
  dat.Write(head + u8"[Alarm]\nSwitch00=on\nTime00=Mon083000\nTitle00=起床\nMessage00=おはよう\n");
  AlarmList list(dat.Path().c_str());
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Active(0)->Title(), "起床");
  ASSERT_TRUE(list.Save(dat.Path().c_str()));
  EXPECT_EQ(dat.Read(), head + u8"[Alarm]\nSwitch00=on\nTime00=Mon083000\nTitle00=起床\n"
                               u8"Message00=おはよう\nVoice00=" + std::string(kDefaultAlarmVoice) +
                               "\n");
  EXPECT_EQ(dat.Key("Alarm", "Message00"), "おはよう");
}
