#include <gtest/gtest.h>

#include "calendar/calendar_text.h"

using namespace calendar;

TEST(CalendarNames, MonthsAndWeekdays) {
  EXPECT_EQ(EnglishMonthName(1), "１ January");
  EXPECT_EQ(EnglishMonthName(10), "１０ Octorber");
  EXPECT_EQ(EnglishMonthName(12), "１２ December");
  EXPECT_EQ(JapaneseMonthNames(2), "如月、衣更着（きさらぎ） 令月 初花月 梅見月");
  EXPECT_EQ(JapaneseMonthNames(10), "神無月（かんなづき） 陽月 良月");
  EXPECT_EQ(JapaneseMonthNames(12), "師走（しわす） 極月 除月 春待月");
  EXPECT_EQ(JapaneseWeekday(0), "日曜日");
  EXPECT_EQ(JapaneseWeekday(2), "火曜日");
  EXPECT_EQ(JapaneseWeekday(6), "土曜日");
  EXPECT_EQ(EnglishWeekday(3), "Wednesday");
  for (int bad : {-1, 0, 13}) EXPECT_EQ(EnglishMonthName(bad), "") << bad;
  for (int bad : {-1, 7}) EXPECT_EQ(JapaneseWeekday(bad), "") << bad;
}

TEST(CalendarLabels, SixteenthOfOctober2001) {
  const Box client{0, 0, 300, 240};
  const auto labels = CalendarLabels(client, 2001, 10, 16, 2);
  EXPECT_EQ(labels[0].text, "2001");
  EXPECT_EQ(labels[1].text, "１０ Octorber");
  EXPECT_EQ(labels[2].text, "神無月（かんなづき） 陽月 良月");
  EXPECT_EQ(labels[3].text, "16");
  EXPECT_EQ(labels[4].text, "火曜日");
  EXPECT_EQ(labels[5].text, "Tuesday");
  EXPECT_EQ(labels[6].text, "Calendar");

  // The year reads sideways down the left edge, in the highlight colour.
  EXPECT_EQ(labels[0].escapement, 900);
  EXPECT_EQ(labels[0].format, kFormatSingleLine | kFormatBottom);
  EXPECT_EQ(labels[0].colour, LabelColour::ButtonHighlight);
  EXPECT_EQ(labels[0].height, 30);
  // Only the year is turned; only the heading is underlined and italic.
  for (int i = 1; i < 7; ++i) EXPECT_EQ(labels[i].escapement, 0) << i;
  EXPECT_TRUE(labels[6].underline && labels[6].italic);
  EXPECT_EQ(labels[6].weight, 700);
  EXPECT_EQ(labels[6].format, kFormatBottom);
  EXPECT_EQ(labels[1].weight, 600);
  EXPECT_EQ(labels[3].format, kFormatSingleLine | kFormatRight);
  EXPECT_EQ(labels[3].height, 26);
}

TEST(CalendarLabels, RectanglesFollowTheClientArea) {
  const Box client{5, 7, 305, 247};
  const auto labels = CalendarLabels(client, 2026, 12, 7, 1);
  auto same = [](const Box& a, const Box& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  };
  EXPECT_TRUE(same(labels[0].box, {5, 7, 305, 102}));
  EXPECT_TRUE(same(labels[1].box, {25, 16, 242, 32}));
  EXPECT_TRUE(same(labels[2].box, {25, 34, 242, 46}));
  EXPECT_TRUE(same(labels[3].box, {82, 48, 118, 76}));
  EXPECT_TRUE(same(labels[4].box, {125, 51, 191, 63}));
  EXPECT_TRUE(same(labels[5].box, {125, 62, 191, 74}));
  EXPECT_TRUE(same(labels[6].box, {15, 227, 295, 245}));
}
