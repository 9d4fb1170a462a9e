#include <gtest/gtest.h>

#include "calendar/calendar_text.h"

using namespace calendar;

TEST(CalendarNames, OutOfRangeGivesNothing) {
  for (int bad : {-1, 0, 13}) EXPECT_EQ(EnglishMonthName(bad), "") << bad;
  for (int bad : {-1, 0, 13}) EXPECT_EQ(JapaneseMonthNames(bad), "") << bad;
  for (int bad : {-1, 7}) EXPECT_EQ(JapaneseWeekday(bad), "") << bad;
  for (int bad : {-1, 7}) EXPECT_EQ(EnglishWeekday(bad), "") << bad;
  EXPECT_EQ(JapaneseWeekday(0), "日曜日");
  EXPECT_EQ(EnglishMonthName(2), "２ February");
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
  const auto labels = CalendarLabels({5, 7, 305, 247}, 2026, 12, 7, 1);
  const Box year = labels[0].box;  // L, T, R, T + 95
  EXPECT_EQ(year.left, 5);
  EXPECT_EQ(year.top, 7);
  EXPECT_EQ(year.right, 305);
  EXPECT_EQ(year.bottom, 102);
  const Box heading = labels[6].box;  // L + 10, B - 20, R - 10, B - 2
  EXPECT_EQ(heading.left, 15);
  EXPECT_EQ(heading.top, 227);
  EXPECT_EQ(heading.right, 295);
  EXPECT_EQ(heading.bottom, 245);
  EXPECT_EQ(labels[3].box.left, 82);  // the day
  EXPECT_EQ(labels[3].box.right, 118);
}
