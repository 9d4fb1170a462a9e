#include "render/frame_scheduler.h"

#include <gtest/gtest.h>

namespace {

// A scheduler whose clock and random draw the test sets.
struct Scheduler : FrameScheduler {
  int h = 0, m = 0, s = 0;
  int nextDraw = 999;
  int draws = 0;
  Scheduler() {
    SetTimeSource([this](int& hour, int& minute, int& sec) { hour = h, minute = m, sec = s; });
    SetRandomSource([this] { return ++draws, nextDraw; });
  }
  bool At(int hour, int minute, int second) {
    h = hour, m = minute, s = second;
    return IsRedrawDue();
  }
};

TEST(FrameScheduler, StartsWithTheFirstTickDueAndNoRun) {
  Scheduler sch;
  EXPECT_EQ(sch.timeStamp, -1);
  EXPECT_EQ(sch.shownStamp, -2);
  EXPECT_EQ(sch.permillage, 0);
  EXPECT_FALSE(sch.animating);
  EXPECT_EQ(sch.animationFrame, 0);
  EXPECT_TRUE(sch.At(0, 0, 0));  // -2 never matches a real stamp, not even 0
  EXPECT_EQ(sch.timeStamp, 0);
  EXPECT_EQ(sch.shownStamp, 0);
}

TEST(FrameScheduler, IsDueExactlyWhenTheShownSecondChanges) {
  Scheduler sch;
  EXPECT_TRUE(sch.At(10, 20, 30));
  EXPECT_EQ(sch.timeStamp, 102030);
  EXPECT_FALSE(sch.At(10, 20, 30));
  EXPECT_FALSE(sch.At(10, 20, 30));
  EXPECT_TRUE(sch.At(10, 20, 31));
  EXPECT_TRUE(sch.At(23, 59, 59));
  EXPECT_TRUE(sch.At(0, 0, 0));  // midnight
  EXPECT_FALSE(sch.At(0, 0, 0));
  EXPECT_EQ(sch.hour, 0);
  EXPECT_EQ(sch.draws, 0);  // permillage 0 never draws
}

TEST(FrameScheduler, DrawsOnEveryIdleTickAndStartsARunBelowThePermillage) {
  Scheduler sch;
  EXPECT_TRUE(sch.SetPermillage(10));
  EXPECT_EQ(sch.permillage, 10);
  sch.nextDraw = 1010;  // 10: a miss
  EXPECT_TRUE(sch.At(1, 2, 3));
  EXPECT_FALSE(sch.At(1, 2, 3));
  EXPECT_EQ(sch.draws, 2);  // drawn on the idle tick in the same second too
  EXPECT_FALSE(sch.animating);

  sch.nextDraw = 2009;  // 9: a hit, due although the second is the same
  sch.animationFrame = 5;
  EXPECT_TRUE(sch.At(1, 2, 3));
  EXPECT_TRUE(sch.animating);
  EXPECT_EQ(sch.animationFrame, 0);
  EXPECT_EQ(sch.shownStamp, 10203);

  // A run in progress makes every tick due without drawing.
  EXPECT_TRUE(sch.At(1, 2, 3));
  EXPECT_TRUE(sch.At(1, 2, 3));
  EXPECT_EQ(sch.draws, 3);

  // Once composition ends the run, the same second is no longer due.
  sch.animating = false;
  sch.nextDraw = 10;
  EXPECT_FALSE(sch.At(1, 2, 3));
}

TEST(FrameScheduler, PermillageThousandStartsARunOnEveryIdleTick) {
  Scheduler sch;
  sch.SetPermillage(1000);
  sch.nextDraw = 999;
  EXPECT_TRUE(sch.At(5, 0, 0));
  EXPECT_TRUE(sch.animating);
  sch.animating = false;
  EXPECT_TRUE(sch.At(5, 0, 0));
  EXPECT_TRUE(sch.animating);
}

TEST(FrameScheduler, ReadsTheWallClockWithoutATimeSource) {
  FrameScheduler sch;
  sch.hour = sch.minute = sch.second = -1;
  sch.ReadClock();
  EXPECT_GE(sch.hour, 0);
  EXPECT_LE(sch.hour, 23);
  EXPECT_GE(sch.minute, 0);
  EXPECT_LE(sch.minute, 59);
  EXPECT_GE(sch.second, 0);
  EXPECT_LE(sch.second, 60);
}

}  // namespace
