#include <gtest/gtest.h>

#include "alarm/alarm_queue.h"

namespace {

TEST(AlarmQueue, FirstInFirstOut) {
  AlarmQueue queue;
  EXPECT_TRUE(queue.IsEmpty());
  EXPECT_EQ(queue.Front(), -1);
  EXPECT_EQ(queue.Pop(), -1);
  queue.Push(4);
  queue.Push(0);
  queue.Push(99);
  EXPECT_EQ(queue.Length(), 3);
  EXPECT_EQ(queue.Front(), 4);
  EXPECT_EQ(queue.Pop(), 4);
  EXPECT_EQ(queue.Pop(), 0);
  EXPECT_EQ(queue.Front(), 99);
  EXPECT_EQ(queue.Pop(), 99);
  EXPECT_TRUE(queue.IsEmpty());
  EXPECT_EQ(queue.Pop(), -1);
}

TEST(AlarmQueue, DropsBeyondOneHundred) {
  AlarmQueue queue;
  for (int i = 0; i < 150; ++i) queue.Push(i % 100);
  EXPECT_EQ(queue.Length(), AlarmQueue::kCapacity);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(queue.Pop(), i);
  EXPECT_TRUE(queue.IsEmpty());
  // After draining, the slots behind the entries read empty again.
  queue.Push(7);
  EXPECT_EQ(queue.Pop(), 7);
  EXPECT_EQ(queue.Pop(), -1);
}

TEST(AlarmQueue, IgnoresIndicesThatAreNoAlarm) {
  AlarmQueue queue;
  queue.Push(-1);
  queue.Push(128);
  EXPECT_TRUE(queue.IsEmpty());
}

}  // namespace
