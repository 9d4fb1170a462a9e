#include <gtest/gtest.h>

#include <string>
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

TEST_F(AlarmCheckTest, TwoAlarmsInOneSecondOpenInListOrder) {
  Add(true, "070001", "first");
  Add(true, "Mon070001", "second");
  Add(true, "070002", "later");
  Check();
  TickFor(1);
  EXPECT_EQ(opened, (Titles{"first", "second"}));
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
    list.BeginEdit();
    while (list.WorkingCount() > 0) list.DeleteWorking(0);
    list.EndEdit(true);
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

TEST_F(AlarmCheckTest, DaylightSavingStartWalksTheSkippedHour) {
  clock = FakeAlarmClock{2026, 3, 8, 0, 1, 59, 58};  // a Sunday
  Add(true, "020000", "02:00");
  Add(true, "Mon021500", "not today");
  Add(true, "Sun023000", "02:30");
  Add(true, "025930", "02:59:30");
  Add(true, "030000", "03:00");
  Check();
  TickFor(1);
  clock.Set(3, 0, 0);  // one real second later the clock reads 03:00:00
  clock.elapsedMs += 1000;
  Check();
  TickFor(5);
  EXPECT_EQ(opened, (Titles{"02:00 (silent)", "02:30 (silent)", "02:59:30", "03:00"}));
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

TEST_F(AlarmCheckTest, ATenSecondStepBackAcrossAnAlarmRingsItOnce) {
  Add(true, "070005", "once");
  Add(true, "070015", "after");
  Check();
  TickFor(10);
  clock.Set(7, 0, 0);  // a time sync sets the clock back
  Check();
  TickFor(20);
  EXPECT_EQ(opened, (Titles{"once", "after"}));
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

}  // namespace
