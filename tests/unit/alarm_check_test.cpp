#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "alarm/alarm_check.h"
#include "alarm/alarm_list.h"
#include "alarm/alarm_queue.h"
#include "alarm_clock_fake.h"
#include "platform/local_clock.h"

namespace {

using Titles = std::vector<std::string>;

class AlarmCheckTest : public ::testing::Test {
 protected:
  void Add(bool on, const char* key, const char* title) {
    list.BeginEdit();
    ASSERT_TRUE(list.AddWorking());
    ASSERT_TRUE(list.StoreWorking(list.WorkingCount() - 1, on, key, title, "", ""));
    list.EndEdit(true);
  }

  void ClearList() {
    list.BeginEdit();
    while (list.WorkingCount() > 0) list.DeleteWorking(0);
    list.EndEdit(true);
  }

  // One timer tick at the clock's present reading; each opened window records
  // what it shows: the front notice's title, " (silent)" when it is silent.
  void Check() { Check([&] { Record(); }); }
  void Check(const std::function<void()>& openWindow) {
    CheckDueAlarms(state, list, queue, clock.local, clock.elapsedMs, openWindow);
  }
  void Record() {
    const AlarmNotice* notice = queue.Front();
    ASSERT_NE(notice, nullptr);
    opened.push_back(notice->title + (notice->silent ? " (silent)" : ""));
    texts.push_back(notice->text);
  }
  // The clock runs on for `seconds`, ticking every `step` seconds.
  void TickFor(int seconds, int step = 1) {
    for (int i = 0; i < seconds; i += step) {
      clock.Run(step);
      Check();
    }
  }

  AlarmList list{nullptr};
  AlarmQueue queue;
  AlarmCheckState state;
  FakeAlarmClock clock{2026, 1, 5, 1, 7, 0, 0};  // Monday 5 January 2026
  Titles opened;
  std::vector<std::string> texts;
};

TEST_F(AlarmCheckTest, FiresOncePerSecondHoweverManyTicks) {
  Add(true, "073000", "morning");
  clock.Set(7, 29, 59);
  Check();
  clock.Run(1);
  for (int tick = 0; tick < 4; ++tick) Check();
  EXPECT_EQ(opened, (Titles{"morning"}));
  TickFor(24 * 3600, 30);  // the next day, same time: fires again
  EXPECT_EQ(opened, (Titles{"morning", "morning"}));
  EXPECT_TRUE(queue.IsEmpty());
  EXPECT_FALSE(state.openingAlarmWindows);
}

TEST_F(AlarmCheckTest, TheFirstCheckLooksOnlyAtItsOwnSecond) {
  Add(true, "065959", "before start");
  Add(true, "070000", "at start");
  Check();
  EXPECT_EQ(opened, (Titles{"at start"}));
}

TEST_F(AlarmCheckTest, OffAndOtherWeekdayAlarmsStayQuiet) {
  Add(false, "073000", "off");
  Add(true, "Tue073000", "tuesday");
  Add(true, "Mon073000", "monday");
  Check();
  TickFor(2 * 24 * 3600, 30);
  EXPECT_EQ(opened, (Titles{"monday", "tuesday"}));
}

TEST_F(AlarmCheckTest, TicksInsideAWindowOnlyQueue) {
  Add(true, "070000", "a");
  Add(true, "070001", "b");
  Add(true, "070002", "c");
  bool nested = false;
  std::vector<int> queuedDuringFirst;
  Check([&] {
    Record();
    if (nested) return;
    nested = true;
    // The playback of the first window runs its own message loop: the next
    // two seconds tick inside it (twice each).
    for (int second : {1, 1, 2, 2}) {
      clock.Set(7, 0, second);
      Check([&] { opened.push_back("opened inside"); });
    }
    queuedDuringFirst.push_back(queue.Length());
  });
  EXPECT_EQ(queuedDuringFirst, (std::vector<int>{3}));
  EXPECT_EQ(opened, (Titles{"a", "b", "c"}));
  EXPECT_TRUE(queue.IsEmpty());
  EXPECT_FALSE(state.openingAlarmWindows);
}

TEST_F(AlarmCheckTest, AWindowThatFailsToOpenDoesNotStallTheQueue) {
  Add(true, "070000", "a");
  Check(nullptr);
  EXPECT_TRUE(queue.IsEmpty());
}

TEST_F(AlarmCheckTest, EverySecondSinceTheLastCheckIsLookedAtInOrder) {
  Add(true, "072958", "58, looked at before");
  Add(true, "073001", "01");
  Add(true, "073000", "00");
  Add(true, "072959", "59");
  Add(true, "073002", "02, still to come");
  clock.Set(7, 29, 58);
  Check();
  clock.Run(3);
  Check();
  EXPECT_EQ(opened, (Titles{"58, looked at before", "59", "00", "01"}));
}

// The program held up across an alarm's second: found under a minute late it
// rings; later it only shows, with its own time.
TEST_F(AlarmCheckTest, LateTicksRingUnderAMinuteAndShowSilentlyAfter) {
  struct Case {
    int late;
    const char* shown;
  };
  for (const Case& c : {Case{2, "alarm"}, Case{5, "alarm"}, Case{59, "alarm"},
                        Case{60, "alarm (silent)"}, Case{61, "alarm (silent)"}}) {
    SCOPED_TRACE(c.late);
    AlarmCheckState fresh;
    state = fresh;
    opened.clear();
    texts.clear();
    ClearList();
    Add(true, "073000", "alarm");
    clock.Set(7, 29, 59);
    Check();
    clock.Run(1 + c.late);
    Check();
    TickFor(3);
    EXPECT_EQ(opened, (Titles{c.shown}));
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].substr(0, 9), "07:30:00 ");
  }
}

TEST_F(AlarmCheckTest, ThreeHourSleepShowsWhatItSleptOverSilently) {
  Add(true, "020000", "slept over");
  Add(true, "040001", "after waking");
  clock.Set(1, 0, 0);
  Check();
  clock.Run(3 * 3600);  // 04:00:00
  Check();
  EXPECT_EQ(opened, (Titles{"slept over (silent)"}));
  EXPECT_EQ(texts[0].substr(0, 9), "02:00:00 ");
  TickFor(1);
  EXPECT_EQ(opened, (Titles{"slept over (silent)", "after waking"}));
}

// A clock set a day forward meets a day of alarms: one summary window lists
// the late ones, silently, in the order they fell due; one that is due now
// still rings on its own. Four late alarms open four windows.
TEST_F(AlarmCheckTest, ADayOfLateAlarmsOpensOneSummary) {
  for (const char* key : {"080000", "Tue090000", "100000", "110000", "120000", "130000"}) {
    Add(true, key, key);
  }
  Add(true, "Tue070000", "due now");
  Check();  // Monday 07:00:00
  clock.Advance(24 * 3600);
  Check();
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], std::string(kSummaryTitle) + " (silent)");
  EXPECT_EQ(texts[0],
            "01-05 08:00:00 080000\r\n01-05 10:00:00 100000\r\n01-05 11:00:00 110000\r\n"
            "01-05 12:00:00 120000\r\n01-05 13:00:00 130000");
  EXPECT_EQ(opened[1], "due now");

  state = AlarmCheckState{};
  opened.clear();
  ClearList();
  for (const char* key : {"080000", "090000", "100000", "110000"}) Add(true, key, key);
  Check();
  clock.Advance(12 * 3600);
  Check();
  EXPECT_EQ(opened, (Titles{"080000 (silent)", "090000 (silent)", "100000 (silent)",
                            "110000 (silent)"}));
}

TEST_F(AlarmCheckTest, ASleepTheMonotonicClockMissedIsStillLate) {
  Add(true, "020000", "slept over");
  clock.Set(1, 0, 0);
  Check();
  clock.Advance(3 * 3600);
  clock.Run(1);
  Check();
  EXPECT_EQ(opened, (Titles{"slept over (silent)"}));
}

TEST_F(AlarmCheckTest, LatenessIsRealTimeWhenTheClockWentBackMeanwhile) {
  Add(true, "073000", "alarm");
  clock.Set(7, 29, 59);
  Check();
  clock.Run(75);        // stalled for 75 s ...
  clock.Set(7, 30, 44);  // ... while a time sync set the clock back 30 s
  Check();
  EXPECT_EQ(opened, (Titles{"alarm (silent)"}));
}

// A zone that skips local time: the skipped seconds are walked at the jump and
// ring with sound, since no real time passed over them.
TEST_F(AlarmCheckTest, DaylightSavingGapsRingOnTimeWithSound) {
  struct Case {
    int hour, minute;  // where the jump starts
    int skipped;       // seconds skipped
    Titles rung;
  };
  for (const Case& c : {Case{0, 0, 3600, {"00:00", "00:30", "00:59:59", "01:00"}},
                        Case{2, 0, 1800, {"02:00", "02:15", "02:29:59"}}}) {
    SCOPED_TRACE(c.skipped);
    state = AlarmCheckState{};
    opened.clear();
    ClearList();
    clock = FakeAlarmClock{2026, 3, 8, 0, c.hour, c.minute, 0};  // a Sunday
    clock.Rewind(2);
    clock.local.utcOffsetSeconds = 3600;
    const std::pair<const char*, const char*> alarms[] = {
        {"000000", "00:00"},     {"003000", "00:30"},     {"005959", "00:59:59"},
        {"010000", "01:00"},     {"020000", "02:00"},     {"Sun021500", "02:15"},
        {"022959", "02:29:59"},  {"Mon021500", "not today"}};
    for (const auto& alarm : alarms) Add(true, alarm.first, alarm.second);
    Check();
    TickFor(1);
    clock.Run(1);  // one real second later the clock reads past the gap
    clock.Advance(c.skipped);
    clock.local.utcOffsetSeconds += c.skipped;
    Check();
    EXPECT_EQ(opened, c.rung);
  }
}

TEST_F(AlarmCheckTest, DaylightSavingEndRepeatsNothing) {
  clock = FakeAlarmClock{2026, 10, 25, 0, 2, 29, 58};  // a Sunday
  Add(true, "023000", "02:30");
  Add(true, "030000", "03:00");
  Check();
  TickFor(30 * 60);  // 02:59:58
  TickFor(1);
  clock.Set(2, 0, 0);  // 03:00 becomes 02:00 again
  clock.elapsedMs += 1000;
  Check();
  TickFor(3600);  // the second 02:00-03:00, then 03:00:00
  EXPECT_EQ(opened, (Titles{"02:30", "03:00"}));
}

// A time sync sets the clock back: every alarm the clock then passes rings,
// and none rings twice, whatever the size of the step.
TEST_F(AlarmCheckTest, StepsBackRingEveryAlarmOnce) {
  // Ten seconds back across an alarm already rung.
  Add(true, "070005", "once");
  Add(true, "070015", "after");
  Check();
  TickFor(10);
  clock.Set(7, 0, 0);
  Check();
  TickFor(20);
  EXPECT_EQ(opened, (Titles{"once", "after"}));

  // A PC that starts at 16:00 and is synced back to 07:00.
  state = AlarmCheckState{};
  opened.clear();
  ClearList();
  Add(true, "073000", "07:30");
  clock.Set(16, 0, 0);
  Check();
  clock.Set(7, 0, 0);
  Check();
  TickFor(3600, 30);
  EXPECT_EQ(opened, (Titles{"07:30"}));

  // A date one day ahead corrected back by exactly a day, and by a day and a
  // second: both ring 17:00 on both days.
  for (int back : {24 * 3600, 24 * 3600 + 1}) {
    SCOPED_TRACE(back);
    state = AlarmCheckState{};
    opened.clear();
    ClearList();
    Add(true, "170000", "17:00");
    clock = FakeAlarmClock{2026, 1, 6, 2, 16, 0, 0};  // Tuesday, really Monday
    Check();
    clock.Rewind(back);
    Check();
    TickFor(26 * 3600, 30);
    EXPECT_EQ(opened, (Titles{"17:00", "17:00"}));
  }
}

// Editing, deleting and reordering other alarms, or the texts of this one,
// leave an alarm that rang as rung; a new time rings.
TEST_F(AlarmCheckTest, AnAlarmIsItsTimeNotItsPlace) {
  Add(true, "080000", "other");
  Add(true, "073000", "first");
  Add(true, "073000", "second of the same time");
  Add(true, "073100", "b");
  clock.Set(7, 29, 59);
  Check();
  TickFor(90);
  EXPECT_EQ(opened, (Titles{"first", "second of the same time", "b"}));
  list.BeginEdit();
  ASSERT_TRUE(list.DeleteWorking(0));  // the others move up
  ASSERT_TRUE(list.StoreWorking(0, true, "073100", "b moved", "new message", ""));
  ASSERT_TRUE(list.StoreWorking(2, true, "073000", "first, edited", "new message", "x.wav"));
  ASSERT_TRUE(list.AddWorking());
  ASSERT_TRUE(list.StoreWorking(3, true, "073200", "later", "", ""));
  list.EndEdit(true);
  clock.Set(7, 29, 0);  // a time sync
  Check();
  TickFor(240);
  EXPECT_EQ(opened, (Titles{"first", "second of the same time", "b", "later"}));
  // A third alarm at 07:30 has not rung yet: it does.
  list.BeginEdit();
  ASSERT_TRUE(list.AddWorking());
  ASSERT_TRUE(list.StoreWorking(4, true, "073000", "third", "", ""));
  list.EndEdit(true);
  clock.Set(7, 29, 0);
  Check();
  TickFor(240);
  EXPECT_EQ(opened.back(), "third");
  EXPECT_EQ(opened.size(), 5u);
}

// A clock taking the alarms over walks on from the second the old owner last
// looked at, at most a day back; a second ahead of its own clock counts as a
// step back.
TEST_F(AlarmCheckTest, AnHeirWalksOnFromTheOldOwnersLastSecond) {
  Add(true, "065000", "before the old owner's last check");
  Add(true, "065500", "between the two clocks");
  Add(true, "070000", "now");
  clock.Set(6, 52, 0);
  const std::int64_t oldOwnersLast = LocalSerial(clock.local);
  clock.Set(7, 0, 0);
  state.walk.StartAfter(oldOwnersLast);
  Check();
  EXPECT_EQ(opened, (Titles{"between the two clocks (silent)", "now"}));

  for (const std::int64_t handedOver :
       {oldOwnersLast - 3 * AlarmWalk::kDaySeconds, oldOwnersLast + 3600}) {
    state = AlarmCheckState{};
    opened.clear();
    state.walk.StartAfter(handedOver);
    Check();
    EXPECT_EQ(opened, handedOver < oldOwnersLast
                          ? (Titles{"before the old owner's last check (silent)",
                                    "between the two clocks (silent)", "now"})
                          : (Titles{"now"}));
  }
}

TEST_F(AlarmCheckTest, WeekdayAndTimeBelongToOneReadingAcrossMidnight) {
  clock = FakeAlarmClock{2026, 1, 5, 1, 23, 59, 58};  // Monday
  Add(true, "Mon235959", "mon 23:59:59");
  Add(true, "Mon000000", "mon 00:00");
  Add(true, "Tue000000", "tue 00:00");
  Add(true, "000001", "every day 00:00:01");
  Check();
  clock.Run(3);  // Tuesday 00:00:01, one check late
  Check();
  EXPECT_EQ(opened, (Titles{"mon 23:59:59", "tue 00:00", "every day 00:00:01"}));
  // A first reading right at midnight takes the new day's weekday with it.
  AlarmCheckState fresh;
  state = fresh;
  opened.clear();
  clock = FakeAlarmClock{2026, 1, 6, 2, 0, 0, 0};
  Check();
  EXPECT_EQ(opened, (Titles{"tue 00:00"}));
}

// Alarms of one second open in list order, also when the second was skipped.
TEST_F(AlarmCheckTest, SeveralAlarmsInOneSkippedSecond) {
  Add(true, "090000", "a");
  Add(false, "090000", "off");
  Add(true, "090002", "c");
  Add(true, "Sat090000", "saturday");
  Add(true, "Mon090000", "b");
  clock.Set(8, 59, 58);
  Check();
  clock.Run(5);
  Check();
  EXPECT_EQ(opened, (Titles{"a", "b", "c"}));
}

TEST_F(AlarmCheckTest, NoWalkReachesBackMoreThanADay) {
  Add(true, "120000", "noon");
  Add(true, "150000", "three");
  clock.Set(10, 0, 0);
  Check();
  clock.Run(30 * 3600);  // Tuesday 16:00: Monday's alarms lie over a day back
  Check();
  EXPECT_EQ(opened, (Titles{"noon (silent)", "three (silent)"}));
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].substr(0, 9), "12:00:00 ");
  // Set back by more than a day: the walk starts again from there.
  opened.clear();
  clock.SetDate(2026, 1, 4, 0);  // Sunday
  clock.Set(12, 0, 0);
  clock.elapsedMs += 1000;
  Check();
  EXPECT_EQ(opened, (Titles{"noon"}));
  // Right again, two days on: the last day is walked, but what was shown
  // already is not shown twice.
  clock.SetDate(2026, 1, 6, 2);
  clock.Set(12, 0, 5);
  clock.elapsedMs += 1000;
  Check();
  EXPECT_EQ(opened, (Titles{"noon", "three (silent)"}));
}

TEST_F(AlarmCheckTest, AnAlarmEditedToALaterTimeRingsAgain) {
  Add(true, "073000", "wake");
  clock.Set(7, 29, 59);
  Check();
  TickFor(5);
  list.BeginEdit();
  ASSERT_TRUE(list.StoreWorking(0, true, "073100", "wake", "", ""));
  list.EndEdit(true);
  TickFor(60);
  // Back to a time already passed today: not until tomorrow.
  list.BeginEdit();
  ASSERT_TRUE(list.StoreWorking(0, true, "073000", "wake", "", ""));
  list.EndEdit(true);
  TickFor(60);
  EXPECT_EQ(opened, (Titles{"wake", "wake"}));
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1].substr(0, 9), "07:31:00 ");
}

// The editor stays usable while a voice plays: what it commits meanwhile
// changes none of the notices already waiting.
TEST_F(AlarmCheckTest, PendingNoticesKeepWhatTheyMatched) {
  list.BeginEdit();
  for (const char* title : {"first", "second", "third"}) {
    ASSERT_TRUE(list.AddWorking());
    ASSERT_TRUE(list.StoreWorking(list.WorkingCount() - 1, true, "070000", title, title,
                                  (std::string(title) + ".wav").c_str()));
  }
  list.EndEdit(true);
  std::vector<std::string> voices;
  bool edited = false;
  Check([&] {
    Record();
    voices.push_back(queue.Front()->voice);
    if (edited) return;
    edited = true;
    list.BeginEdit();
    ASSERT_TRUE(list.DeleteWorking(0));
    ASSERT_TRUE(list.StoreWorking(0, false, "080000", "changed", "changed", "changed.wav"));
    list.EndEdit(true);
  });
  EXPECT_EQ(opened, (Titles{"first", "second", "third"}));
  EXPECT_EQ(voices, (std::vector<std::string>{"first.wav", "second.wav", "third.wav"}));
  EXPECT_EQ(texts[1], "07:00:00 \r\nsecond");
}

// Random clock readings (ticks, stalls, sleeps, steps back and forward,
// daylight-saving jumps both ways) and list edits, against a plain model: an
// alarm shows for every second the clock passed within a day of its reading,
// and never twice for one second.
TEST(AlarmCheckProperty, EveryPassedAlarmShowsExactlyOnce) {
  struct ModelAlarm {
    std::string key;  // alarms fall on the half hours only, to keep the model quick
    bool on;
  };
  using Shown = std::set<std::tuple<std::int64_t, std::string, int>>;
  const auto weekdayOf = [](std::int64_t serial) {
    const std::int64_t days = serial >= 0 ? serial / 86400 : (serial - 86399) / 86400;
    return static_cast<int>(((4 + days) % 7 + 7) % 7);  // 1970-01-01 was a Thursday
  };
  const auto dueAt = [&](const ModelAlarm& alarm, std::int64_t serial) {
    const std::int64_t ofDay = ((serial % 86400) + 86400) % 86400;
    char every[16];
    std::snprintf(every, sizeof every, "%02d%02d%02d", static_cast<int>(ofDay / 3600),
                  static_cast<int>(ofDay / 60 % 60), static_cast<int>(ofDay % 60));
    return alarm.on && (alarm.key == every ||
                        alarm.key == std::string(kWeekdayPrefixes[weekdayOf(serial)]) + every);
  };
  std::size_t shownInAll = 0;
  for (unsigned seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    FakeAlarmClock clock{2026, 1, 5, 1, 7, 0, 0};
    std::int64_t serial = LocalSerial(clock.local);  // the model's own count from here on
    AlarmList list{nullptr};
    AlarmQueue queue;
    AlarmCheckState state;
    std::vector<ModelAlarm> model;
    Shown expected;
    Shown actual;
    bool duplicate = false;
    bool first = true;
    std::int64_t previous = 0;
    const auto check = [&] {
      const std::int64_t from =
          first || serial < previous ? serial : std::max(previous + 1, serial - 86399);
      for (std::int64_t s = from; s <= serial; ++s) {
        if (((s % 1800) + 1800) % 1800 != 0) continue;
        std::map<std::string, int> ranks;
        for (const ModelAlarm& alarm : model) {
          const int rank = ranks[alarm.key]++;
          if (dueAt(alarm, s)) expected.emplace(s, alarm.key, rank);
        }
      }
      first = false;
      previous = serial;
      CheckDueAlarms(state, list, queue, clock.local, clock.elapsedMs, [&] {
        const AlarmNotice& notice = *queue.Front();
        auto covered = notice.summarised;
        if (covered.empty()) covered.emplace_back(notice.serial, notice.identity);
        for (const auto& [second, alarm] : covered) {
          if (!actual.emplace(second, alarm.timeKey, alarm.rank).second) duplicate = true;
        }
      });
    };
    const auto commit = [&] {
      list.BeginEdit();
      while (list.WorkingCount() > 0) list.DeleteWorking(0);
      for (const ModelAlarm& alarm : model) {
        ASSERT_TRUE(list.AddWorking());
        ASSERT_TRUE(list.StoreWorking(list.WorkingCount() - 1, alarm.on, alarm.key.c_str(),
                                      "title", "message", ""));
      }
      list.EndEdit(true);
    };
    const auto randomKey = [&] {
      char key[16];
      std::snprintf(key, sizeof key, "%s%02d%02d00",
                    below(3) == 0 ? kWeekdayPrefixes[below(7)] : "", below(24), below(2) * 30);
      return std::string(key);
    };
    for (int i = 0; i < 6; ++i) model.push_back({randomKey(), true});
    commit();
    check();
    for (int step = 0; step < 200; ++step) {
      const int kind = below(20);
      int seconds = 0;
      if (kind < 9) {  // ticks and stalls
        seconds = 1 + below(below(4) == 0 ? 3600 : 120);
        clock.Run(seconds);
        serial += seconds;
      } else if (kind == 9) {  // a sleep the monotonic clock missed, up to 30 hours
        seconds = 1 + below(30 * 3600);
        clock.Advance(seconds);
        serial += seconds;
      } else if (kind < 12) {  // set back: seconds, hours, or a day or two
        const int scale[] = {60, 12 * 3600, 2 * 86400 + 10};
        seconds = 1 + below(scale[below(3)]);
        clock.Rewind(seconds);
        serial -= seconds;
      } else if (kind == 12) {  // daylight saving starts or ends
        const int jump = below(2) == 0 ? 1800 : 3600;
        clock.Run(1);
        if (below(2) == 0) {
          clock.Advance(jump);
          clock.local.utcOffsetSeconds += jump;
          serial += 1 + jump;
        } else {
          clock.Rewind(jump);
          clock.local.utcOffsetSeconds -= jump;
          serial += 1 - jump;
        }
      } else {  // edits between checks
        const int edit = below(4);
        if (edit == 0 && model.size() < 12) {
          model.insert(model.begin() + below(static_cast<int>(model.size()) + 1),
                       {randomKey(), below(4) != 0});
        } else if (edit == 1 && !model.empty()) {
          model.erase(model.begin() + below(static_cast<int>(model.size())));
        } else if (edit == 2 && !model.empty()) {
          model[below(static_cast<int>(model.size()))].key = randomKey();
        } else if (!model.empty()) {
          ModelAlarm& alarm = model[below(static_cast<int>(model.size()))];
          alarm.on = !alarm.on;
        }
        commit();
        continue;
      }
      check();
      ASSERT_EQ(serial, LocalSerial(clock.local));
    }
    EXPECT_FALSE(duplicate);
    EXPECT_EQ(actual, expected);
    shownInAll += expected.size();
  }
  EXPECT_GT(shownInAll, 100u);  // the runs do meet alarms
}

}  // namespace
