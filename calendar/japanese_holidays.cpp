#include "calendar/japanese_holidays.h"

#include <array>

#include "calendar/anniversary_parser.h"

namespace calendar {

namespace {

// Each name as the holiday law (or its special law) writes it.
constexpr std::string_view kNewYear = "元日";
constexpr std::string_view kComingOfAge = "成人の日";
constexpr std::string_view kFoundation = "建国記念の日";
constexpr std::string_view kEmperorsBirthday = "天皇誕生日";
constexpr std::string_view kVernalEquinox = "春分の日";
constexpr std::string_view kGreenery = "みどりの日";
constexpr std::string_view kShowa = "昭和の日";
constexpr std::string_view kConstitution = "憲法記念日";
constexpr std::string_view kChildren = "こどもの日";
constexpr std::string_view kMarine = "海の日";
constexpr std::string_view kMountain = "山の日";
constexpr std::string_view kRespectForAged = "敬老の日";
constexpr std::string_view kAutumnalEquinox = "秋分の日";
constexpr std::string_view kHealthSports = "体育の日";
constexpr std::string_view kSports = "スポーツの日";
constexpr std::string_view kCulture = "文化の日";
constexpr std::string_view kLabourThanksgiving = "勤労感謝の日";
constexpr std::string_view kSubstitute = "振替休日";
constexpr std::string_view kCitizens = "国民の休日";

struct OneOffDay {
  int year, month, day;
  std::string_view name;
};

// Days set by special laws, each a holiday once.
constexpr OneOffDay kOneOffDays[] = {
    {1959, 4, 10, "皇太子明仁親王の結婚の儀"},
    {1989, 2, 24, "昭和天皇の大喪の礼"},
    {1990, 11, 12, "即位礼正殿の儀"},
    {1993, 6, 9, "皇太子徳仁親王の結婚の儀"},
    {2019, 5, 1, "天皇の即位の日"},
    {2019, 10, 22, "即位礼正殿の儀"},
};

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  return month == 2 && !IsLeap(year) ? 28 : kDaysInMonth[month - 1];
}

// Day of the year, 0 = 1 January.
int DayOfYear(int year, int month, int day) {
  int before = kDaysBefore[month - 1];
  if (month > 2 && !IsLeap(year)) --before;
  return before + day - 1;
}

// The n-th Monday of a month.
int NthMonday(int year, int month, int n) {
  const int first = Weekday(year, month, 1);
  return (1 - first + 7) % 7 + 1 + 7 * (n - 1);
}

// One year's holidays by day of the year: which are the law's days (national
// holidays proper) and which are days off by the substitute or citizens' rule.
class HolidayYear {
 public:
  explicit HolidayYear(int year) : year(year) {}

  void Add(int month, int day, std::string_view name) {
    const int index = DayOfYear(year, month, day);
    // The law came into force on 20 July 1948.
    if (year == kFirstHolidayYear && index < DayOfYear(year, 7, 20)) return;
    names[index] = name;
    national[index] = true;
  }

  void AddLawDays();
  void AddSubstituteHolidays();
  void AddCitizensHolidays();
  std::vector<Holiday> List() const;

 private:
  int Length() const { return IsLeap(year) ? 366 : 365; }
  bool IsSunday(int index) const { return (firstWeekday + index) % 7 == 0; }

  int year;
  int firstWeekday = Weekday(year, 1, 1);
  std::array<std::string_view, 366> names{};
  std::array<bool, 366> national{};
};

void HolidayYear::AddLawDays() {
  const int y = year;
  Add(1, 1, kNewYear);
  Add(1, y < 2000 ? 15 : NthMonday(y, 1, 2), kComingOfAge);
  if (y >= 1967) Add(2, 11, kFoundation);
  if (y >= 2020) Add(2, 23, kEmperorsBirthday);
  Add(3, VernalEquinoxDay(y), kVernalEquinox);
  Add(4, 29, y < 1989 ? kEmperorsBirthday : y < 2007 ? kGreenery : kShowa);
  Add(5, 3, kConstitution);
  if (y >= 2007) Add(5, 4, kGreenery);
  Add(5, 5, kChildren);
  // The Olympic years moved Marine, Mountain and Sports Day by special law.
  if (y == 2020) {
    Add(7, 23, kMarine);
    Add(7, 24, kSports);
    Add(8, 10, kMountain);
  } else if (y == 2021) {
    Add(7, 22, kMarine);
    Add(7, 23, kSports);
    Add(8, 8, kMountain);
  } else {
    if (y >= 1996) Add(7, y < 2003 ? 20 : NthMonday(y, 7, 3), kMarine);
    if (y >= 2016) Add(8, 11, kMountain);
    if (y >= 1966) Add(10, y < 2000 ? 10 : NthMonday(y, 10, 2), y < 2020 ? kHealthSports : kSports);
  }
  if (y >= 1966) Add(9, y < 2003 ? 15 : NthMonday(y, 9, 3), kRespectForAged);
  Add(9, AutumnalEquinoxDay(y), kAutumnalEquinox);
  Add(11, 3, kCulture);
  Add(11, 23, kLabourThanksgiving);
  if (y >= 1989 && y <= 2018) Add(12, 23, kEmperorsBirthday);
  for (const OneOffDay& day : kOneOffDays) {
    if (day.year == y) Add(day.month, day.day, day.name);
  }
}

void HolidayYear::AddSubstituteHolidays() {
  // From 12 April 1973 a holiday on a Sunday gives the next day off; from 2007
  // the next day that is not itself a holiday.
  const int start = year == 1973 ? DayOfYear(1973, 4, 12) : 0;
  if (year < 1973) return;
  for (int i = start; i < Length(); ++i) {
    if (!national[i] || !IsSunday(i)) continue;
    int next = i + 1;
    if (year >= 2007) {
      while (next < Length() && national[next]) ++next;
    } else if (next < Length() && national[next]) {
      continue;
    }
    if (next < Length()) names[next] = kSubstitute;
  }
}

void HolidayYear::AddCitizensHolidays() {
  // From 27 December 1985 a day between two holidays is a day off too; until
  // 2006 not on a Sunday nor on a substitute holiday, from 2007 on any day
  // that is not a holiday itself.
  if (year < 1986) return;
  for (int i = 1; i + 1 < Length(); ++i) {
    if (national[i] || !national[i - 1] || !national[i + 1]) continue;
    if (year < 2007 && (IsSunday(i) || !names[i].empty())) continue;
    if (names[i].empty()) names[i] = kCitizens;
  }
}

std::vector<Holiday> HolidayYear::List() const {
  std::vector<Holiday> list;
  int month = 1;
  int day = 1;
  for (int i = 0; i < Length(); ++i) {
    if (!names[i].empty()) list.push_back({month, day, names[i]});
    if (++day > DaysInMonth(year, month)) {
      day = 1;
      ++month;
    }
  }
  return list;
}

// The approximation's constant for the year's span; see the equinox functions.
int EquinoxDay(int year, double before1980, double from1980, double from2100) {
  if (year < 1900 || year > 2150) return 0;
  const double base = year < 1980 ? before1980 : year < 2100 ? from1980 : from2100;
  // The leap-day correction counts from 1983 before 1980 and from 1980 after,
  // truncated toward zero (C's integer division), as the formula is published.
  const int leapDays = year < 1980 ? (year - 1983) / 4 : (year - 1980) / 4;
  return static_cast<int>(base + 0.242194 * (year - 1980) - leapDays);
}

}  // namespace

int VernalEquinoxDay(int year) { return EquinoxDay(year, 20.8357, 20.8431, 21.8510); }

int AutumnalEquinoxDay(int year) { return EquinoxDay(year, 23.2588, 23.2488, 24.2488); }

std::vector<Holiday> JapaneseHolidays(int year) {
  if (year < kFirstHolidayYear || year > kLastHolidayYear) return {};
  HolidayYear holidays(year);
  holidays.AddLawDays();
  holidays.AddSubstituteHolidays();
  holidays.AddCitizensHolidays();
  return holidays.List();
}

std::string_view JapaneseHolidayName(int year, int month, int day) {
  for (const Holiday& holiday : JapaneseHolidays(year)) {
    if (holiday.month == month && holiday.day == day) return holiday.name;
  }
  return {};
}

}  // namespace calendar
