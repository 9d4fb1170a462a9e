#include "calendar/day_browse.h"

#include "calendar/anniversary_parser.h"

namespace calendar {

namespace {

constexpr int kFirstYear = 1583;
constexpr int kLastYear = 9999;

CalendarDate AddDays(CalendarDate date, int days) {
  date.day += days;
  while (date.day < 1) {
    if (--date.month < 1) date.month = 12, --date.year;
    date.day += DaysIn(date.year, date.month);
  }
  while (date.day > DaysIn(date.year, date.month)) {
    date.day -= DaysIn(date.year, date.month);
    if (++date.month > 12) date.month = 1, ++date.year;
  }
  return date;
}

CalendarDate AddMonths(CalendarDate date, int months) {
  const int index = date.year * 12 + (date.month - 1) + months;
  date.year = index / 12;
  date.month = index % 12 + 1;
  if (date.day > DaysIn(date.year, date.month)) date.day = DaysIn(date.year, date.month);
  return date;
}

}  // namespace

int DaysIn(int year, int month) {
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && !leap ? 28 : kDaysInMonth[month - 1];
}

CalendarDate Step(const CalendarDate& date, BrowseStep step) {
  CalendarDate next = date;
  switch (step) {
    case BrowseStep::PreviousDay: next = AddDays(date, -1); break;
    case BrowseStep::NextDay: next = AddDays(date, 1); break;
    case BrowseStep::PreviousWeek: next = AddDays(date, -7); break;
    case BrowseStep::NextWeek: next = AddDays(date, 7); break;
    case BrowseStep::PreviousMonth: next = AddMonths(date, -1); break;
    case BrowseStep::NextMonth: next = AddMonths(date, 1); break;
  }
  return next.year < kFirstYear || next.year > kLastYear ? date : next;
}

}  // namespace calendar
