// Moving the calendar's shown day: by a day, a week or a month, within the
// years whose weekdays are known (1583-9999).
#pragma once

namespace calendar {

struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
  bool operator==(const CalendarDate& other) const {
    return year == other.year && month == other.month && day == other.day;
  }
  bool operator!=(const CalendarDate& other) const { return !(*this == other); }
};

enum class BrowseStep { PreviousDay, NextDay, PreviousWeek, NextWeek, PreviousMonth, NextMonth };

int DaysIn(int year, int month);

// The date one step away; a month step keeps the day where the month has it,
// else its last day (31 January + a month = 28 or 29 February). Steps that
// would leave 1583-9999 stay put.
CalendarDate Step(const CalendarDate& date, BrowseStep step);

}  // namespace calendar
