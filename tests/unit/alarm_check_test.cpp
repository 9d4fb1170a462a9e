#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarm/alarm_check.h"
#include "alarm/alarm_list.h"
#include "alarm/alarm_queue.h"
#include "platform/local_clock.h"

namespace {

class AlarmCheckTest : public ::testing::Test {
 protected:
  void Add(bool on, const char* key, const char* title) {
    list.BeginEdit();
    ASSERT_TRUE(list.AddWorking());
    ASSERT_TRUE(list.StoreWorking(list.WorkingCount() - 1, on, key, title, "", ""));
    list.EndEdit(true);
  }

  // One timer tick at the given weekday and time; each opened window records
  // the title of the queue's front alarm, as the notification window shows it.
  void Tick(int weekday, int timeCode) {
    CheckDueAlarms(state, list, queue, weekday, timeCode,
                   [&] { opened.push_back(list.Title(queue.Front())); });
  }

  AlarmList list{nullptr};
  AlarmQueue queue;
  AlarmCheckState state;
  std::vector<std::string> opened;
};

TEST_F(AlarmCheckTest, FiresOncePerSecondHoweverManyTicks) {
  Add(true, "073000", "morning");
  for (int tick = 0; tick < 4; ++tick) Tick(1, 73000);
  EXPECT_EQ(opened, (std::vector<std::string>{"morning"}));
  EXPECT_EQ(state.lastAlarmCheckTime, 73000);
  Tick(1, 73001);
  Tick(2, 73000);  // the next day, same time: fires again
  EXPECT_EQ(opened, (std::vector<std::string>{"morning", "morning"}));
  EXPECT_TRUE(queue.IsEmpty());
  EXPECT_FALSE(state.openingAlarmWindows);
}

TEST_F(AlarmCheckTest, TheFirstTickIsNeverTakenForHandled) {
  Add(true, "000000", "midnight");
  EXPECT_EQ(state.lastAlarmCheckTime, 999999);
  Tick(0, 0);
  EXPECT_EQ(opened.size(), 1u);
}

TEST_F(AlarmCheckTest, OffAndOtherWeekdayAlarmsStayQuiet) {
  Add(false, "073000", "off");
  Add(true, "Mon073000", "monday");
  Tick(2, 73000);  // Tuesday
  EXPECT_TRUE(opened.empty());
  Tick(2, 73001);
  Tick(1, 73000);  // a Monday
  EXPECT_EQ(opened, (std::vector<std::string>{"monday"}));
}

TEST_F(AlarmCheckTest, TwoAlarmsInOneSecondOpenInListOrder) {
  Add(true, "120000", "first");
  Add(true, "Wed120000", "second");
  Add(true, "120001", "later");
  Tick(3, 120000);
  EXPECT_EQ(opened, (std::vector<std::string>{"first", "second"}));
}

TEST_F(AlarmCheckTest, TicksInsideAWindowOnlyQueue) {
  Add(true, "120000", "a");
  Add(true, "120001", "b");
  Add(true, "120002", "c");
  bool nested = false;
  std::vector<int> queuedDuringFirst;
  CheckDueAlarms(state, list, queue, 0, 120000, [&] {
    opened.push_back(list.Title(queue.Front()));
    if (nested) return;
    nested = true;
    // The playback of the first window runs its own message loop: the next
    // two seconds tick inside it (twice each).
    for (int t : {120001, 120001, 120002, 120002}) {
      CheckDueAlarms(state, list, queue, 0, t, [&] { opened.push_back("opened inside"); });
    }
    queuedDuringFirst.push_back(queue.Length());
  });
  EXPECT_EQ(queuedDuringFirst, (std::vector<int>{3}));
  EXPECT_EQ(opened, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_TRUE(queue.IsEmpty());
  EXPECT_FALSE(state.openingAlarmWindows);
}

TEST_F(AlarmCheckTest, AWindowThatFailsToOpenDoesNotStallTheQueue) {
  Add(true, "120000", "a");
  CheckDueAlarms(state, list, queue, 0, 120000, nullptr);
  EXPECT_TRUE(queue.IsEmpty());
}

TEST_F(AlarmCheckTest, ASkippedSecondIsNeverLookedAt) {
  Add(true, "120001", "skipped");
  Tick(0, 120000);
  Tick(0, 120002);
  EXPECT_TRUE(opened.empty());
}

TEST(LocalClock, ReadingsComeFromTheInstalledSource) {
  LocalClockReading reading;
  reading.year = 2001;
  reading.month = 12;
  reading.day = 31;
  reading.weekday = 1;
  reading.hour = 7;
  reading.minute = 30;
  reading.second = 5;
  {
    ScopedLocalClock clock(reading);
    EXPECT_EQ(LocalYear(), 2001);
    EXPECT_EQ(LocalMonth(), 12);
    EXPECT_EQ(LocalDay(), 31);
    EXPECT_EQ(LocalWeekday(), 1);
    EXPECT_EQ(LocalTimeCode(), 73005);
  }
  // Back on the real clock: only plausibility, never a particular time.
  EXPECT_GE(LocalMonth(), 1);
  EXPECT_LE(LocalMonth(), 12);
  EXPECT_GE(LocalWeekday(), 0);
  EXPECT_LE(LocalWeekday(), 6);
  EXPECT_LE(LocalTimeCode(), 235960);  // a leap second reads 60
}

}  // namespace
