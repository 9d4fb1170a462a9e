#include <gtest/gtest.h>

#include "alarm/alarm_record.h"

namespace {

struct KeyCase {
  const char* key;
  bool valid;
  int weekday, hour, minute, second;
};

TEST(AlarmTimeKey, ParsesAsAtolReadsTheDigits) {
  const KeyCase cases[] = {
      {"mon083000", true, 1, 8, 30, 0},   {"Mon083000", true, 1, 8, 30, 0},
      {"SAT235959", true, 6, 23, 59, 59}, {"83000", true, 7, 8, 30, 0},
      {"083000", true, 7, 8, 30, 0},      {"0830", true, 7, 0, 8, 30},
      {"", true, 7, 0, 0, 0},             {"xyz", true, 7, 0, 0, 0},
      {"000000", true, 7, 0, 0, 0},       {"Sunday", true, 0, 0, 0, 0},
      {"  \t+070000x", true, 7, 7, 0, 0}, {"Wed 120000", true, 3, 12, 0, 0},
      {"Su083000", true, 7, 0, 0, 0},  // no prefix; "Su" stops the number at once
      {"240000", false, 0, 0, 0, 0},      {"236000", false, 0, 0, 0, 0},
      {"235960", false, 0, 0, 0, 0},      {"999999", false, 0, 0, 0, 0},
      {"-1", false, 0, 0, 0, 0},          {"Sun-5", false, 0, 0, 0, 0},
      {"-0", true, 7, 0, 0, 0},
      // Overflowing numbers must not wrap into a valid time.
      {"18446744073709551616", false, 0, 0, 0, 0},
      {"4294967296", false, 0, 0, 0, 0},
      {"-99999999999999999999", false, 0, 0, 0, 0},
  };
  for (const KeyCase& c : cases) {
    TimeOfAlarm time{5, 5, 5, 5};
    EXPECT_EQ(ParseTimeKey(c.key, time), c.valid) << c.key;
    if (c.valid) {
      EXPECT_EQ(time.weekday, c.weekday) << c.key;
      EXPECT_EQ(time.hour, c.hour) << c.key;
      EXPECT_EQ(time.minute, c.minute) << c.key;
      EXPECT_EQ(time.second, c.second) << c.key;
    } else {
      EXPECT_EQ(time.weekday, 5) << "invalid key must not store: " << c.key;
    }
  }
}

TEST(AlarmTimeKey, FormatsWithPrefixAndSixDigits) {
  EXPECT_EQ(FormatTimeKey({1, 8, 30, 0}), "Mon083000");
  EXPECT_EQ(FormatTimeKey({7, 23, 59, 59}), "235959");
  EXPECT_EQ(FormatTimeKey({0, 0, 0, 0}), "Sun000000");
  TimeOfAlarm time;
  ASSERT_TRUE(ParseTimeKey("mon083000", time));
  EXPECT_EQ(FormatTimeKey(time), "Mon083000");
}

TEST(AlarmRecord, NewRecordIsEmpty) {
  AlarmRecord record;
  EXPECT_FALSE(record.HoldsTexts());
  EXPECT_FALSE(record.SwitchOn());
  EXPECT_EQ(record.TimeCode(), 0);
  EXPECT_FALSE(record.IsDue(0, 0));  // an empty record never fires
}

TEST(AlarmRecord, AssignFillsDefaultsForEmptyTexts) {
  AlarmRecord record;
  ASSERT_TRUE(record.Assign(true, "Tue070500", "", "", ""));
  EXPECT_TRUE(record.HoldsTexts());
  EXPECT_TRUE(record.SwitchOn());
  EXPECT_EQ(record.Title(), "未タイトルのメッセージ");
  EXPECT_EQ(record.Message(), "登録メッセージ無し");
  EXPECT_EQ(record.Voice(), "default");
  EXPECT_EQ(record.Weekday(), 2);
  EXPECT_EQ(record.TimeCode(), 70500);
}

TEST(AlarmRecord, InvalidKeyLeavesRecordWithoutTexts) {
  AlarmRecord record;
  ASSERT_TRUE(record.Assign(true, "120000", "t", "m", "v"));
  EXPECT_FALSE(record.Assign(true, "250000", "t", "m", "v"));
  EXPECT_FALSE(record.HoldsTexts());
  EXPECT_TRUE(record.Title().empty());
  EXPECT_EQ(record.Hour(), 0);
  EXPECT_FALSE(record.IsDue(7, 0));
}

TEST(AlarmRecord, AssignFromItsOwnTextsKeepsThem) {
  AlarmRecord record;
  ASSERT_TRUE(record.Assign(false, "Fri101010", "タイトル", "本文", "C:\\a.wav"));
  ASSERT_TRUE(record.Assign(record.SwitchOn(), record.FormatTimeKey().c_str(),
                            record.Title().c_str(), record.Message().c_str(),
                            record.Voice().c_str()));
  EXPECT_EQ(record.Title(), "タイトル");
  EXPECT_EQ(record.Message(), "本文");
  EXPECT_EQ(record.Voice(), "C:\\a.wav");
  EXPECT_EQ(record.FormatTimeKey(), "Fri101010");
}

TEST(AlarmRecord, CopyThroughKeyIsIdentical) {
  AlarmRecord source, copy;
  ASSERT_TRUE(source.Assign(true, "Thu000001", "a", "b", "c"));
  ASSERT_TRUE(copy.AssignFrom(source));
  EXPECT_EQ(copy.SwitchOn(), source.SwitchOn());
  EXPECT_EQ(copy.FormatTimeKey(), source.FormatTimeKey());
  EXPECT_EQ(copy.Title(), "a");
  EXPECT_EQ(copy.Message(), "b");
  EXPECT_EQ(copy.Voice(), "c");
  AlarmRecord empty;
  EXPECT_FALSE(copy.AssignFrom(empty));
  EXPECT_FALSE(copy.HoldsTexts());
}

TEST(AlarmRecord, NotificationTextHasTimeWeekdayWordAndMessage) {
  AlarmRecord record;
  ASSERT_TRUE(record.Assign(true, "070500", "t", "起きる", "v"));
  EXPECT_EQ(record.NotificationText(), "07:05:00 \r\n起きる");
  ASSERT_TRUE(record.Assign(true, "Mon070500", "t", "wake", "v"));
  EXPECT_EQ(record.NotificationText(), "07:05:00 Mon \r\nwake");
  const std::string longMessage(255, 'x');
  ASSERT_TRUE(record.Assign(true, "Wed235959", "t", longMessage.c_str(), "v"));
  EXPECT_EQ(record.NotificationText().size(), longMessage.size() + 15);
}

TEST(AlarmRecord, DueOnlyWhenOnAtTheSecondOnTheDay) {
  AlarmRecord everyDay, monday, off;
  ASSERT_TRUE(everyDay.Assign(true, "073000", "", "", ""));
  ASSERT_TRUE(monday.Assign(true, "Mon073000", "", "", ""));
  ASSERT_TRUE(off.Assign(false, "073000", "", "", ""));
  for (int day = 0; day < 7; ++day) EXPECT_TRUE(everyDay.IsDue(day, 73000)) << day;
  EXPECT_FALSE(everyDay.IsDue(1, 73001));
  EXPECT_TRUE(monday.IsDue(1, 73000));
  EXPECT_FALSE(monday.IsDue(2, 73000));
  EXPECT_FALSE(off.IsDue(1, 73000));
}

}  // namespace
