#include <gtest/gtest.h>

#include <string>

#include "alarm/alarm_queue.h"
#include "alarm/alarm_record.h"

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

}  // namespace
