// A clock closed across its alarms lists them at the next start, in one
// silent window, against a plain model: the closed span's seconds read back
// one by one from the restarted clock.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "alarm/alarm_check.h"
#include "alarm/alarm_handover.h"
#include "alarm/alarm_list.h"
#include "alarm/alarm_queue.h"
#include "alarm/alarm_walk.h"
#include "alarm_clock_fake.h"

namespace {

struct TestAlarm {
  bool on;
  int weekday;  // 7: every day
  int hour, minute, second;
  std::string title;

  std::string Key() const {
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat", ""};
    char key[16];
    std::snprintf(key, sizeof key, "%s%02d%02d%02d", days[weekday], hour, minute, second);
    return key;
  }
  bool DueAt(const LocalClockReading& r) const {
    return on && (weekday == 7 || weekday == r.weekday) && hour == r.hour && minute == r.minute &&
           second == r.second;
  }
};

struct Shown {
  std::string title;
  std::string text;
  bool silent;
};

std::vector<Shown> Check(AlarmCheckState& state, const AlarmList& list,
                         const FakeAlarmClock& clock) {
  AlarmQueue queue;
  std::vector<Shown> shown;
  CheckDueAlarms(state, list, queue, clock.local, clock.elapsedMs, [&] {
    shown.push_back({queue.Front()->title, queue.Front()->text, queue.Front()->silent});
  });
  return shown;
}

std::string Line(const LocalClockReading& r, const std::string& title) {
  char head[32];
  std::snprintf(head, sizeof head, "%02d-%02d %02d:%02d:%02d ", r.month, r.day, r.hour, r.minute,
                r.second);
  return head + title;
}

// Random alarm lists, clocks closed from a few seconds to well past a day,
// some across a daylight-saving change (the local clock jumping an hour while
// closed) or set back while closed.
TEST(MissedWhileClosed, ListsWhatFellDueWhileClosedOnceOldestFirst) {
  std::mt19937 random(26);
  int roundsWithMissed = 0;
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE(round);
    // Alarms cluster in a few minutes of the day so that spans hit them.
    std::vector<TestAlarm> alarms;
    AlarmList list(nullptr);
    list.BeginEdit();
    const int count = 1 + static_cast<int>(random() % 8);
    const int baseHour = static_cast<int>(random() % 24);
    for (int i = 0; i < count; ++i) {
      TestAlarm alarm{random() % 5 != 0, random() % 3 == 0 ? static_cast<int>(random() % 7) : 7,
                      (baseHour + static_cast<int>(random() % 2)) % 24,
                      static_cast<int>(random() % 3), static_cast<int>(random() % 60),
                      "alarm" + std::to_string(i)};
      alarms.push_back(alarm);
      ASSERT_TRUE(list.AddWorking());
      ASSERT_TRUE(list.StoreWorking(i, alarm.on, alarm.Key().c_str(), alarm.title.c_str(),
                                    "", ""));
    }
    list.EndEdit(true);

    // A Sunday in 2028, a leap year: spans cross month ends and 29 February.
    FakeAlarmClock clock{2028, 2, 27, 0, static_cast<int>(random() % 24),
                         static_cast<int>(random() % 60), static_cast<int>(random() % 60)};
    AlarmCheckState running;
    Check(running, list, clock);
    clock.Run(1 + static_cast<int>(random() % 5));
    Check(running, list, clock);
    // Written at exit, read at the next start.
    std::int64_t lastChecked = 0;
    ASSERT_TRUE(ParseLastChecked(FormatLastChecked(running.walk.LastLookedAt()), lastChecked));

    const int spans[] = {3, 600, 3 * 3600, 86399, 86400, 86401, 30 * 3600};
    int closed = spans[random() % 7] + static_cast<int>(random() % 200);
    clock.Run(closed);
    switch (random() % 4) {
      case 0:  // spring forward: an hour of local seconds passes at once
        clock.Advance(3600);
        clock.local.utcOffsetSeconds += 3600;
        closed += 3600;
        break;
      case 1:  // autumn: the local clock goes back an hour
        clock.Rewind(3600);
        clock.local.utcOffsetSeconds -= 3600;
        closed -= 3600;
        break;
      default:
        break;
    }

    // The model: each second after the last looked at, back to a day before
    // now, read back from the clock itself.
    std::vector<std::string> missed;
    FakeAlarmClock back = clock;
    for (int s = 1; s < closed && s < AlarmWalk::kDaySeconds; ++s) {
      back.Rewind(1);
      for (int i = count - 1; i >= 0; --i) {
        if (alarms[i].DueAt(back.local)) missed.insert(missed.begin(), Line(back.local, alarms[i].title));
      }
    }
    std::vector<std::string> now;
    for (const TestAlarm& alarm : alarms) {
      if (alarm.DueAt(clock.local)) now.push_back(alarm.title);
    }

    AlarmCheckState restarted;
    StartAfterClosed(restarted, lastChecked);
    const std::vector<Shown> shown = Check(restarted, list, clock);
    std::size_t next = 0;
    if (!missed.empty()) {
      ASSERT_GE(shown.size(), 1u);
      EXPECT_EQ(shown[0].title, kMissedTitle);
      EXPECT_TRUE(shown[0].silent);
      std::string lines;
      for (const std::string& line : missed) lines += (lines.empty() ? "" : "\r\n") + line;
      EXPECT_EQ(shown[0].text, lines);
      next = 1;
      ++roundsWithMissed;
    }
    // The start's own second rings as it would for any clock.
    ASSERT_EQ(shown.size(), next + now.size());
    for (std::size_t i = 0; i < now.size(); ++i) {
      EXPECT_EQ(shown[next + i].title, now[i]);
      EXPECT_FALSE(shown[next + i].silent);
    }
    // Nothing is listed again, nor rung, by the ticks that follow.
    clock.Run(1);
    for (const Shown& later : Check(restarted, list, clock)) {
      EXPECT_NE(later.title, kMissedTitle);
    }
  }
  EXPECT_GT(roundsWithMissed, 20);  // the random spans do cross alarms
}

}  // namespace
