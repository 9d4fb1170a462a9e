// The national holidays of Japan, computed for any year from 1948 (the year
// the holiday law came into force, 20 July) to 2150: the law's days as each
// amendment set them, the one-off days of the special laws, substitute
// holidays and citizens' holidays. Names are the law's, as CP932 text.
#pragma once
#include <string_view>
#include <vector>

namespace calendar {

constexpr int kFirstHolidayYear = 1948;
constexpr int kLastHolidayYear = 2150;

struct Holiday {
  int month = 0;
  int day = 0;
  std::string_view name;  // code page 932, static storage
};

// The holidays of `year` in date order; empty outside the years above.
std::vector<Holiday> JapaneseHolidays(int year);

// The holiday on a date, or an empty view.
std::string_view JapaneseHolidayName(int year, int month, int day);

// The day in March / September of the equinox day, by the usual astronomical
// approximation for 1900-2150 (0 outside). Every date announced so far, up to
// 2027, agrees with it; later years rest on it alone.
int VernalEquinoxDay(int year);
int AutumnalEquinoxDay(int year);

}  // namespace calendar
