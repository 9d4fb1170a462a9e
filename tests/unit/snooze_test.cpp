// Snoozed notices against a plain model: each rings once, when due, earliest
// first, across restarts (the list written and read back), a clock set back
// and an alarm list edited meanwhile.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "alarm/alarm_check.h"
#include "alarm/alarm_handover.h"
#include "alarm/alarm_list.h"
#include "alarm/snooze.h"
#include "platform/ini_file.h"
#include "temp_folder.h"

namespace {

TEST(Snooze, MinutesFromOneToSixtyElseFive) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"", 5}, {"1", 1}, {"60", 60}, {" 7 ", 7}, {"0", 5}, {"61", 5},
      {"-3", 5}, {"abc", 5}, {"7x", 5}, {"99999999999", 5}};
  for (const auto& [value, minutes] : cases) EXPECT_EQ(SnoozeMinutesFrom(value), minutes) << value;
  testing_support::TempFolder folder;
  const std::string file = folder.File("Horalune.DAT");
  EXPECT_EQ(ReadSnoozeMinutes(file.c_str()), 5);  // no file
  ASSERT_TRUE(folder.Write(file, "[Default]\r\nSnoozeMinutes=1\r\n"));
  EXPECT_EQ(ReadSnoozeMinutes(file.c_str()), 1);
}

AlarmNotice Notice(int n) {
  AlarmNotice notice;
  notice.title = "wake " + std::to_string(n);
  // The time line ends in a blank for an every-day alarm; texts are CP932.
  notice.text = (n % 2 ? "07:30:00 \r\n" : "07:30:00 Mon\r\n") + std::string("\x83\x5c\x83\x74\x83\x67 ") +
                std::to_string(n);
  notice.voice = n % 3 ? "default" : "C:\\sounds\\bell " + std::to_string(n) + ".wav";
  notice.silent = n % 4 == 0;  // a late notice put off rings with sound
  notice.serial = 1000 + n;
  notice.identity = AlarmIdentity{"073000", n};
  return notice;
}

TEST(Snooze, EachRingsOnceWhenDueAcrossRestartsAndClockChanges) {
  testing_support::TempFolder folder;
  const std::string file = folder.File("Horalune.DAT");
  std::mt19937 random(5);
  for (int round = 0; round < 8; ++round) {
    SCOPED_TRACE(round);
    ASSERT_TRUE(folder.Write(file, "[Default]\r\nSnoozeMinutes=1\r\n"));
    // The model: (due, order added, n) of what waits, and what has rung.
    std::vector<std::tuple<std::int64_t, int, int>> waiting;
    std::vector<int> rung;
    int added = 0;
    SnoozeList snoozes;
    std::int64_t now = 1'800'000'000;
    for (int step = 0; step < 120; ++step) {
      const int action = static_cast<int>(random() % 10);
      if (action < 4) {
        const std::int64_t due = now + 60 * (1 + static_cast<int>(random() % 5));
        ASSERT_TRUE(snoozes.Add(Notice(added), due));
        waiting.emplace_back(due, added, added);
        ++added;
        ASSERT_TRUE(snoozes.Save(file.c_str(), FormatLastChecked(now)));  // as a snooze is
      } else if (action < 6) {
        // A restart: the next clock finds what each change saved.
        snoozes = SnoozeList{};
        snoozes.Load(file.c_str());
      } else if (action < 7) {
        now -= static_cast<int>(random() % 600);  // set back
      } else {
        const int forward = action == 9 ? 3600 : static_cast<int>(random() % 90);
        now += forward;
        std::vector<std::tuple<std::int64_t, int, int>> due;
        for (const auto& entry : waiting) {
          if (std::get<0>(entry) <= now) due.push_back(entry);
        }
        std::sort(due.begin(), due.end());
        waiting.erase(std::remove_if(waiting.begin(), waiting.end(),
                                     [&](const auto& e) { return std::get<0>(e) <= now; }),
                      waiting.end());
        const std::vector<AlarmNotice> got = snoozes.TakeDue(now);
        ASSERT_EQ(got.size(), due.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
          const int n = std::get<2>(due[i]);
          const AlarmNotice expected = Notice(n);
          EXPECT_EQ(got[i].title, expected.title);
          EXPECT_EQ(got[i].text, expected.text);
          EXPECT_EQ(got[i].voice, expected.voice);
          EXPECT_EQ(got[i].serial, std::get<0>(due[i]));
          EXPECT_EQ(got[i].silent, (now - std::get<0>(due[i])) * 1000 >= kSilentAfterMs);
          EXPECT_TRUE(got[i].identity == AlarmIdentity{});
          rung.push_back(n);
        }
        ASSERT_TRUE(snoozes.Save(file.c_str(), FormatLastChecked(now)));
      }
    }
    // Whatever still waits rings once at the end; nothing rang twice.
    now += 24 * 3600;
    for (const AlarmNotice& notice : snoozes.TakeDue(now)) rung.push_back(std::stoi(notice.title.substr(5)));
    std::sort(rung.begin(), rung.end());
    ASSERT_EQ(static_cast<int>(rung.size()), added);
    for (int n = 0; n < added; ++n) EXPECT_EQ(rung[n], n);
  }
}

TEST(Snooze, KeptApartFromTheAlarmList) {
  testing_support::TempFolder folder;
  const std::string file = folder.File("Horalune.DAT");
  ASSERT_TRUE(folder.Write(file, "[Default]\r\nSnoozeMinutes=1\r\n"));
  SnoozeList snoozes;
  ASSERT_TRUE(snoozes.Add(Notice(1), 5000));
  ASSERT_TRUE(snoozes.Save(file.c_str(), FormatLastChecked(4000)));

  // Editing and saving the list leaves the snooze as it was, and the other
  // way round.
  AlarmList list(file.c_str());
  list.BeginEdit();
  ASSERT_TRUE(list.AddWorking());
  ASSERT_TRUE(list.StoreWorking(0, true, "073000", "morning", "", ""));
  list.EndEdit(true);
  ASSERT_TRUE(list.Save(file.c_str(), FormatLastChecked(4100)));
  SnoozeList reread;
  reread.Load(file.c_str());
  ASSERT_EQ(reread.Entries().size(), 1u);
  EXPECT_EQ(reread.Entries()[0].due, 5000);
  EXPECT_EQ(reread.Entries()[0].notice.text, Notice(1).text);

  ASSERT_TRUE(reread.TakeDue(5000).size() == 1);
  ASSERT_TRUE(reread.Save(file.c_str(), FormatLastChecked(5000)));
  AlarmList after(file.c_str());
  EXPECT_EQ(after.Count(), 1);
  EXPECT_EQ(after.Title(0), "morning");
  const platform::IniFile ini(file);
  EXPECT_TRUE(ini.KeyNames(kSnoozeSection).empty());
  EXPECT_EQ(ini.GetString("Default", "SnoozeMinutes", ""), "1");
  std::int64_t lastChecked = 0;
  EXPECT_TRUE(ReadLastChecked(file.c_str(), lastChecked));
  EXPECT_EQ(lastChecked, 5000);
}

LocalClockReading Reading(int month, int day, int hour, int minute, int offsetHours) {
  LocalClockReading reading;
  reading.year = 2026;
  reading.month = month;
  reading.day = day;
  reading.weekday = 0;  // both changes fall on a Sunday
  reading.hour = hour;
  reading.minute = minute;
  reading.utcOffsetSeconds = offsetHours * 3600;
  return reading;
}

// Five minutes stay five minutes when the clocks change inside them: not an
// hour and five at the autumn change, not at once in spring.
TEST(Snooze, TheDelayIsRealTimeAcrossDaylightSavingChanges) {
  struct Case {
    LocalClockReading snoozed, early, due;
  };
  const Case cases[] = {
      {Reading(10, 25, 2, 58, 2), Reading(10, 25, 2, 2, 1), Reading(10, 25, 2, 3, 1)},
      {Reading(3, 29, 1, 58, 1), Reading(3, 29, 3, 2, 2), Reading(3, 29, 3, 3, 2)},
  };
  for (const Case& c : cases) {
    SnoozeList snoozes;
    ASSERT_TRUE(snoozes.Add(Notice(1), UtcSerial(c.snoozed) + 5 * 60));
    EXPECT_TRUE(snoozes.TakeDue(UtcSerial(c.early)).empty());
    const std::vector<AlarmNotice> rung = snoozes.TakeDue(UtcSerial(c.due));
    ASSERT_EQ(rung.size(), 1u);
    EXPECT_FALSE(rung[0].silent);
  }
}

TEST(Snooze, SummariesAndAFullListAreNotPutOff) {
  SnoozeList snoozes;
  AlarmNotice summary = Notice(1);
  summary.summarised.emplace_back(1, AlarmIdentity{"073000", 0});
  EXPECT_FALSE(snoozes.Add(summary, 10));
  for (int i = 0; i < SnoozeList::kMostSnoozes; ++i) ASSERT_TRUE(snoozes.Add(Notice(i), 10 + i));
  EXPECT_FALSE(snoozes.Add(Notice(0), 5));
  EXPECT_EQ(static_cast<int>(snoozes.TakeDue(10 + SnoozeList::kMostSnoozes).size()),
            SnoozeList::kMostSnoozes);
}

}  // namespace
