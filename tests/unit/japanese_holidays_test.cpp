#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "calendar/anniversary_parser.h"
#include "calendar/japanese_holidays.h"
#include "platform/text.h"
#include "test_host.h"

namespace {

using calendar::JapaneseHolidayName;
using calendar::JapaneseHolidays;

std::string NameOn(int year, int month, int day) {
  return std::string(JapaneseHolidayName(year, month, day));
}

std::string DateKey(int year, int month, int day) {
  char key[32];
  std::snprintf(key, sizeof key, "%04d-%02d-%02d", year, month, day);
  return key;
}

std::string SourcePath(const std::string& relative) {
  return testing_support::SourceTree() + "/" + relative;
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int MonthLength(int y, int m) { return m == 2 && !IsLeap(y) ? 28 : calendar::kDaysInMonth[m - 1]; }

}  // namespace

// The committed table (see its header line for the source) day for day.
TEST(JapaneseHolidays, MatchThePublishedTableFrom1955To2050) {
  std::ifstream in(SourcePath("tests/unit/data/japanese-holidays-1955-2050.tsv"), std::ios::binary);
  ASSERT_TRUE(in) << "reference table missing";
  std::map<std::string, std::string> expected;  // date -> CP932 name
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const auto tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    expected[line.substr(0, tab)] = platform::Cp932FromUtf8(line.substr(tab + 1));
  }
  ASSERT_GT(expected.size(), 1400u);
  std::map<std::string, std::string> ours;
  for (int y = 1955; y <= 2050; ++y) {
    for (const calendar::Holiday& h : JapaneseHolidays(y)) {
      ours[DateKey(y, h.month, h.day)] = std::string(h.name);
    }
  }
  for (const auto& [date, name] : expected) {
    const auto found = ours.find(date);
    EXPECT_TRUE(found != ours.end() && found->second == name)
        << date << " should be " << platform::Utf8FromCp932(name) << ", is "
        << (found == ours.end() ? "no holiday" : platform::Utf8FromCp932(found->second));
  }
  for (const auto& [date, name] : ours) {
    EXPECT_TRUE(expected.count(date)) << date << " " << platform::Utf8FromCp932(name)
                                      << " is not in the table";
  }
}

// Each rule on the first and last years it held (and the year beside them).
TEST(JapaneseHolidays, EveryRuleAtTheEdgesOfItsYears) {
  struct Case {
    int y, m, d;
    const char* name;
  };
  const Case cases[] = {
      // The law came into force on 20 July 1948.
      {1948, 1, 1, ""}, {1948, 5, 5, ""}, {1948, 9, 23, "秋分の日"}, {1948, 11, 23, "勤労感謝の日"},
      {1949, 1, 1, "元日"}, {1949, 1, 15, "成人の日"}, {1949, 3, 21, "春分の日"},
      {1949, 4, 29, "天皇誕生日"}, {1949, 5, 3, "憲法記念日"}, {1949, 5, 5, "こどもの日"},
      // Coming of Age Day: 15 January, then the second Monday.
      {1999, 1, 15, "成人の日"}, {2000, 1, 10, "成人の日"}, {2000, 1, 15, ""},
      // Respect for the Aged and Health and Sports Day from 1966.
      {1965, 9, 15, ""}, {1966, 9, 15, "敬老の日"}, {1965, 10, 10, ""}, {1966, 10, 10, "体育の日"},
      {2002, 9, 15, "敬老の日"}, {2004, 9, 20, "敬老の日"}, {2004, 9, 15, ""},
      {1999, 10, 10, "体育の日"}, {2000, 10, 9, "体育の日"}, {2000, 10, 10, ""},
      {2019, 10, 14, "体育の日"}, {2022, 10, 10, "スポーツの日"},
      // Foundation Day from 1967.
      {1966, 2, 11, ""}, {1967, 2, 11, "建国記念の日"},
      // The Emperor's Birthday, Greenery Day, Showa Day.
      {1988, 4, 29, "天皇誕生日"}, {1989, 4, 29, "みどりの日"}, {2006, 4, 29, "みどりの日"},
      {2007, 4, 29, "昭和の日"}, {2007, 5, 4, "みどりの日"}, {1988, 12, 23, ""},
      {1989, 12, 23, "天皇誕生日"}, {2018, 12, 23, "天皇誕生日"}, {2019, 12, 23, ""},
      {2019, 2, 23, ""}, {2020, 2, 23, "天皇誕生日"},
      // Marine Day from 1996, the third Monday from 2003; Mountain Day from 2016.
      {1995, 7, 20, ""}, {1996, 7, 20, "海の日"}, {2002, 7, 20, "海の日"}, {2003, 7, 21, "海の日"},
      {2003, 7, 20, ""}, {2015, 8, 11, ""}, {2016, 8, 11, "山の日"},
      // The Olympic years.
      {2020, 7, 23, "海の日"}, {2020, 7, 24, "スポーツの日"}, {2020, 8, 10, "山の日"},
      {2020, 7, 20, ""}, {2020, 8, 11, ""}, {2020, 10, 12, ""},
      {2021, 7, 22, "海の日"}, {2021, 7, 23, "スポーツの日"}, {2021, 8, 8, "山の日"},
      {2021, 8, 9, "振替休日"}, {2021, 7, 19, ""}, {2021, 8, 11, ""}, {2021, 10, 11, ""},
      {2022, 7, 18, "海の日"}, {2022, 8, 11, "山の日"},
      // One-off days.
      {1959, 4, 10, "皇太子明仁親王の結婚の儀"}, {1989, 2, 24, "昭和天皇の大喪の礼"},
      {1990, 11, 12, "即位礼正殿の儀"}, {1993, 6, 9, "皇太子徳仁親王の結婚の儀"},
      {2019, 5, 1, "天皇の即位の日"}, {2019, 10, 22, "即位礼正殿の儀"}, {2018, 10, 22, ""},
      // Substitute holidays from 12 April 1973.
      {1973, 2, 12, ""}, {1973, 4, 30, "振替休日"}, {1974, 5, 6, "振替休日"},
      // Citizens' holidays from 27 December 1985; never on a Sunday until 2006.
      {1985, 5, 4, ""}, {1986, 5, 4, ""}, {1988, 5, 4, "国民の休日"}, {2006, 5, 4, "国民の休日"},
      // The last year computed.
      {2150, 1, 1, "元日"}, {2150, 3, 21, "春分の日"}, {2151, 1, 1, ""}, {1947, 11, 3, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NameOn(c.y, c.m, c.d), c.name)
        << DateKey(c.y, c.m, c.d) << ": " << platform::Utf8FromCp932(NameOn(c.y, c.m, c.d));
  }
}

// A holiday on a Sunday with holidays after it, and days caught between two.
TEST(JapaneseHolidays, SubstituteAndCitizensHolidaysOnCrowdedWeeks) {
  // 1992: Constitution Day on a Sunday; the 4th is a substitute, not a citizens' day.
  EXPECT_EQ(NameOn(1992, 5, 4), "振替休日");
  // 2008: Greenery Day on a Sunday followed by Children's Day on Monday: the
  // substitute goes to the next day that is not a holiday (Tuesday).
  EXPECT_EQ(NameOn(2008, 5, 5), "こどもの日");
  EXPECT_EQ(NameOn(2008, 5, 6), "振替休日");
  // 2015: Constitution Day on a Sunday, the 4th and 5th holidays: Wednesday.
  EXPECT_EQ(NameOn(2015, 5, 6), "振替休日");
  // 2019 Golden Week: ten days off in a row.
  const char* const goldenWeek[] = {"", "", "", "", "", "昭和の日", "国民の休日", "天皇の即位の日",
                                    "国民の休日", "憲法記念日", "みどりの日", "こどもの日", "振替休日", ""};
  for (int i = 0; i < 14; ++i) {
    const int month = i < 7 ? 4 : 5;
    const int day = i < 7 ? 24 + i : i - 6;
    EXPECT_EQ(NameOn(2019, month, day), goldenWeek[i]) << DateKey(2019, month, day);
  }
  // Silver Weeks: Respect for the Aged Day on Monday, the equinox on Wednesday.
  for (int year : {2009, 2015, 2026}) {
    EXPECT_EQ(NameOn(year, 9, 21), "敬老の日") << year;
    EXPECT_EQ(NameOn(year, 9, 22), "国民の休日") << year;
    EXPECT_EQ(NameOn(year, 9, 23), "秋分の日") << year;
  }
  EXPECT_EQ(NameOn(2032, 9, 21), "国民の休日");
}

// Laws every year must keep, checked over every year computed: a holiday on a
// Sunday gives a day off after it, a substitute follows a Sunday holiday (and
// the holidays right after it, from 2007), a citizens' holiday lies between two
// holidays, and from 2007 every day between two holidays is off.
TEST(JapaneseHolidays, EveryYearKeepsTheSubstituteAndCitizensRules) {
  for (int y = calendar::kFirstHolidayYear; y <= calendar::kLastHolidayYear; ++y) {
    const int length = IsLeap(y) ? 366 : 365;
    std::vector<std::string> names(length + 1);  // by day of year; one spare
    int previous = -1;
    for (const calendar::Holiday& h : JapaneseHolidays(y)) {
      int index = h.day - 1;
      for (int m = 1; m < h.month; ++m) index += MonthLength(y, m);
      ASSERT_GT(index, previous) << y << ": not in date order";
      previous = index;
      names[index] = std::string(h.name);
    }
    ASSERT_GE(previous, 300) << y;
    const int firstWeekday = calendar::Weekday(y, 1, 1);
    auto sunday = [&](int i) { return (firstWeekday + i) % 7 == 0; };
    auto lawDay = [&](int i) {
      return i >= 0 && !names[i].empty() && names[i] != "振替休日" && names[i] != "国民の休日";
    };
    const int substitutesFrom = y < 1973 ? length : y == 1973 ? 101 : 0;  // 12 April 1973
    for (int i = 0; i < length; ++i) {
      if (lawDay(i) && sunday(i) && i >= substitutesFrom) {
        int next = i + 1;
        while (y >= 2007 && lawDay(next)) ++next;
        if (next < length) {
          EXPECT_FALSE(names[next].empty()) << y << " day " << next;
        }
      }
      if (names[i] == "振替休日") {
        int back = i - 1;
        while (y >= 2007 && back > 0 && lawDay(back) && !sunday(back)) --back;
        EXPECT_TRUE(lawDay(back) && sunday(back) && back >= substitutesFrom) << y << " day " << i;
      }
      if (names[i] == "国民の休日") {
        EXPECT_TRUE(y >= 1986 && lawDay(i - 1) && lawDay(i + 1)) << y << " day " << i;
      }
      if (y >= 2007 && names[i].empty() && lawDay(i - 1) && lawDay(i + 1)) {
        ADD_FAILURE() << y << " day " << i << " lies between two holidays but is not off";
      }
    }
  }
}

// The approximation against dates the government announced, and in range.
TEST(JapaneseHolidays, EquinoxDaysAgreeWithTheAnnouncedDates) {
  struct Announced {
    int year, vernal, autumnal;
  };
  const Announced announced[] = {
      {1948, 21, 23}, {1960, 20, 23}, {1979, 21, 24}, {1980, 20, 23}, {2011, 21, 23},
      {2012, 20, 22}, {2019, 21, 23}, {2023, 21, 23}, {2024, 20, 22}, {2025, 20, 23},
      {2026, 20, 23}, {2027, 21, 23},
  };
  for (const Announced& a : announced) {
    EXPECT_EQ(calendar::VernalEquinoxDay(a.year), a.vernal) << a.year;
    EXPECT_EQ(calendar::AutumnalEquinoxDay(a.year), a.autumnal) << a.year;
  }
  for (int y = 1900; y <= 2150; ++y) {
    EXPECT_GE(calendar::VernalEquinoxDay(y), 19) << y;
    EXPECT_LE(calendar::VernalEquinoxDay(y), 22) << y;
    EXPECT_GE(calendar::AutumnalEquinoxDay(y), 22) << y;
    EXPECT_LE(calendar::AutumnalEquinoxDay(y), 24) << y;
  }
  EXPECT_EQ(calendar::VernalEquinoxDay(1899), 0);
  EXPECT_EQ(calendar::AutumnalEquinoxDay(2151), 0);
}
