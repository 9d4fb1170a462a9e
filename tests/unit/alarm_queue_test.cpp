#include <gtest/gtest.h>

#include <string>

#include "alarm/alarm_queue.h"
#include "alarm/alarm_record.h"
#include "alarm/notification_placer.h"

namespace {

AlarmNotice Notice(const std::string& title) {
  AlarmNotice notice;
  notice.title = title;
  return notice;
}

TEST(AlarmQueue, FirstInFirstOut) {
  AlarmQueue queue;
  EXPECT_TRUE(queue.IsEmpty());
  EXPECT_EQ(queue.Front(), nullptr);
  EXPECT_FALSE(queue.Pop());
  queue.Push(Notice("4"));
  queue.Push(Notice("0"));
  queue.Push(Notice("99"));
  EXPECT_EQ(queue.Length(), 3);
  EXPECT_EQ(queue.Front()->title, "4");
  EXPECT_TRUE(queue.Pop());
  EXPECT_EQ(queue.Front()->title, "0");
  EXPECT_TRUE(queue.Pop());
  EXPECT_EQ(queue.Front()->title, "99");
  EXPECT_TRUE(queue.Pop());
  EXPECT_TRUE(queue.IsEmpty());
  EXPECT_FALSE(queue.Pop());
}

TEST(AlarmQueue, DropsBeyondOneHundred) {
  AlarmQueue queue;
  for (int i = 0; i < 150; ++i) queue.Push(Notice(std::to_string(i)));
  EXPECT_EQ(queue.Length(), AlarmQueue::kCapacity);
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(queue.Front()->title, std::to_string(i));
    queue.Pop();
  }
  EXPECT_TRUE(queue.IsEmpty());
  queue.Push(Notice("7"));
  EXPECT_EQ(queue.Front()->title, "7");
}

// A notice is a copy of the record as it matched, and only a filled record
// gives one.
TEST(AlarmQueue, NoticesCopyFilledRecordsOnly) {
  AlarmRecord record;
  AlarmNotice notice;
  EXPECT_FALSE(MakeAlarmNotice(record, false, notice));
  ASSERT_TRUE(record.Assign(true, "Mon083000", "起床", "おはよう", "C:\\chime.wav"));
  ASSERT_TRUE(MakeAlarmNotice(record, true, notice));
  ASSERT_TRUE(record.Assign(true, "090000", "", "", ""));
  EXPECT_EQ(notice.title, "起床");
  EXPECT_EQ(notice.text, "08:30:00 Mon \r\nおはよう");
  EXPECT_EQ(notice.voice, "C:\\chime.wav");
  EXPECT_EQ(notice.weekday, 1);
  EXPECT_EQ(notice.timeCode, 83000);
  EXPECT_TRUE(notice.silent);
}

class PlacerTest : public ::testing::Test {
 protected:
  WorkArea area{0, 0, 1280, 1024};
  NotificationPlacer placer{[this] { return area; }};
};

TEST_F(PlacerTest, FirstWindowSitsSixteenPastTheCentre) {
  // Centre: 640 - 100 - 5, 512 - 78 - 5.
  EXPECT_EQ(placer.X(), 535);
  EXPECT_EQ(placer.Y(), 429);
  const auto first = placer.Next();
  EXPECT_EQ(first.x, 551);
  EXPECT_EQ(first.y, 445);
  placer.Opened();
  const auto second = placer.Next();
  EXPECT_EQ(second.x, 567);
  EXPECT_EQ(second.y, 461);
}

TEST_F(PlacerTest, StartsAgainFromTheCentreOnceAllAreClosed) {
  placer.Next();
  placer.Opened();
  placer.Next();
  placer.Opened();
  placer.Closed();
  EXPECT_EQ(placer.Next().x, 583);  // one still open: keeps cascading
  placer.Closed();
  placer.Closed();  // never below zero
  EXPECT_EQ(placer.OpenCount(), 0);
  EXPECT_EQ(placer.Next().x, 551);
}

TEST_F(PlacerTest, SlidesAlongAnEdgeThenJumpsToTheCorner) {
  area = WorkArea{100, 50, 500, 1000};  // narrow: the right edge comes first
  placer.Opened();
  auto p = placer.Next();  // recentring is skipped while windows are open
  for (int i = 0; i < 20; ++i) p = placer.Next();
  EXPECT_EQ(p.x, 300);  // right - width
  EXPECT_LT(p.y, 1000 - 156);
  // Within 16 pixels of both limits: the corner.
  area = WorkArea{100, 50, 500, p.y + 156 + 10};
  p = placer.Next();
  EXPECT_EQ(p.x, 100);
  EXPECT_EQ(p.y, 50);
}

TEST_F(PlacerTest, CentreUsesTheWorkAreaOffsets) {
  area = WorkArea{-1280, 30, 0, 1054};  // a monitor left of the primary one
  const auto p = placer.Next();
  EXPECT_EQ(p.x, -640 - 100 - 5 + 16);
  EXPECT_EQ(p.y, 542 - 78 - 5 + 16);
}

TEST(PlacerCount, OpenCountStopsAtOneHundred) {
  NotificationPlacer placer{[] { return WorkArea{0, 0, 800, 600}; }};
  for (int i = 0; i < 150; ++i) placer.Opened();
  EXPECT_EQ(placer.OpenCount(), 100);
}

}  // namespace
