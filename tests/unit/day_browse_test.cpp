#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "calendar/anniversary_parser.h"
#include "calendar/day_browse.h"

namespace {

using calendar::BrowseStep;
using calendar::CalendarDate;
using calendar::Step;

// Days since 1 March of year 0 in the proleptic Gregorian calendar, by the
// usual era arithmetic: a model independent of the month walks under test.
long Serial(const CalendarDate& d) {
  const int y = d.month <= 2 ? d.year - 1 : d.year;
  const int era = y / 400;
  const int yearOfEra = y - era * 400;
  const int dayOfYear = (153 * (d.month + (d.month > 2 ? -3 : 9)) + 2) / 5 + d.day - 1;
  return era * 146097L + yearOfEra * 365L + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
}

}  // namespace

// Random dates over the whole range against the model: day and week steps move
// the serial day by 1 and 7 (and the weekday with it), month steps keep the day
// where the month has it.
TEST(DayBrowse, StepsAgreeWithASerialDayModel) {
  std::mt19937 random(27);
  for (int i = 0; i < 20000; ++i) {
    CalendarDate date;
    date.year = std::uniform_int_distribution<int>(1584, 9998)(random);
    date.month = std::uniform_int_distribution<int>(1, 12)(random);
    date.day = std::uniform_int_distribution<int>(1, calendar::DaysIn(date.year, date.month))(random);
    const int weekday = calendar::Weekday(date.year, date.month, date.day);
    for (auto [step, days] : {std::pair{BrowseStep::NextDay, 1}, {BrowseStep::PreviousDay, -1},
                              {BrowseStep::NextWeek, 7}, {BrowseStep::PreviousWeek, -7}}) {
      const CalendarDate moved = Step(date, step);
      ASSERT_EQ(Serial(moved) - Serial(date), days) << date.year << "-" << date.month << "-" << date.day;
      ASSERT_GE(moved.day, 1);
      ASSERT_LE(moved.day, calendar::DaysIn(moved.year, moved.month));
      ASSERT_EQ(calendar::Weekday(moved.year, moved.month, moved.day), (weekday + days + 14) % 7);
    }
    for (auto [step, months] : {std::pair{BrowseStep::NextMonth, 1}, {BrowseStep::PreviousMonth, -1}}) {
      const CalendarDate moved = Step(date, step);
      ASSERT_EQ(moved.year * 12 + moved.month - (date.year * 12 + date.month), months);
      ASSERT_EQ(moved.day, std::min(date.day, calendar::DaysIn(moved.year, moved.month)));
    }
  }
}

// The model covers the years inside the range; at its edges steps stay put.
TEST(DayBrowse, StepsStopAtTheEdgesOfTheRange) {
  EXPECT_EQ(Step({2100, 2, 28}, BrowseStep::NextDay), (CalendarDate{2100, 3, 1}));
  EXPECT_EQ(Step({1583, 1, 1}, BrowseStep::PreviousDay), (CalendarDate{1583, 1, 1}));
  EXPECT_EQ(Step({1583, 1, 20}, BrowseStep::PreviousMonth), (CalendarDate{1583, 1, 20}));
  EXPECT_EQ(Step({9999, 12, 31}, BrowseStep::NextDay), (CalendarDate{9999, 12, 31}));
  EXPECT_EQ(Step({9999, 12, 30}, BrowseStep::NextWeek), (CalendarDate{9999, 12, 30}));
}
