#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <functional>

#include "platform/local_clock.h"

namespace {

std::int64_t DaysFromCivilForZone(int y, int m, int d) {
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  return era * 146097LL + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

TEST(LocalClock, ReadingsComeFromTheInstalledSource) {
  LocalClockReading reading;
  reading.year = 2001;
  reading.month = 12;
  reading.day = 31;
  reading.weekday = 1;
  reading.hour = 7;
  reading.minute = 30;
  reading.second = 5;
  {
    ScopedLocalClock clock(reading);
    ScopedElapsedClock elapsed([] { return std::int64_t{42}; });
    EXPECT_EQ(LocalYear(), 2001);
    EXPECT_EQ(LocalMonth(), 12);
    EXPECT_EQ(LocalDay(), 31);
    EXPECT_EQ(LocalWeekday(), 1);
    EXPECT_EQ(LocalTimeCode(), 73005);
    const LocalClockReading one = ReadLocalClock();
    EXPECT_EQ(one.weekday * 1000000 + one.hour * 10000 + one.minute * 100 + one.second, 1073005);
    EXPECT_EQ(ElapsedMilliseconds(), 42);
  }
  // Back on the real clocks: only plausibility, never a particular time.
  EXPECT_GE(LocalMonth(), 1);
  EXPECT_LE(LocalMonth(), 12);
  EXPECT_GE(LocalWeekday(), 0);
  EXPECT_LE(LocalWeekday(), 6);
  EXPECT_LE(LocalTimeCode(), 235960);  // a leap second reads 60
  const std::int64_t first = ElapsedMilliseconds();
  EXPECT_GE(ElapsedMilliseconds(), first);
}

// The zone rule the wake timer reckons with against the clock's own reading:
// at the instant the clock reads, the rule gives the offset the reading
// carries; over a year it stays within a day and changes a few times at most.
// (Run it with TZ set to a zone with saving to see both changes natively.)
TEST(LocalClock, ZoneRuleAgreesWithTheReadingAndChangesRarely) {
  const std::function<int(std::int64_t)> rule = platform::CurrentZoneRule();
  std::tm parts{};
  int offset = 0;
  ASSERT_TRUE(platform::ReadSystemLocalTime(parts, offset));
  const std::int64_t days =
      DaysFromCivilForZone(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
  const std::int64_t local = days * 86400 + parts.tm_hour * 3600 + parts.tm_min * 60 + parts.tm_sec;
  EXPECT_EQ(rule(local - offset), offset);
  int changes = 0;
  int previous = rule(local - offset);
  for (std::int64_t t = local - offset; t < local - offset + 366 * 86400; t += 3600) {
    const int now = rule(t);
    EXPECT_LE(std::abs(now), 18 * 3600);
    changes += now != previous;
    previous = now;
  }
  EXPECT_LE(changes, 4);
  // Far outside any calendar the rule still answers within a day.
  const std::int64_t farInstants[] = {-20000000000, 0, 40000000000, INT64_MAX / 2};
  for (const std::int64_t far : farInstants) {
    EXPECT_LE(std::abs(rule(far)), 18 * 3600) << far;
  }
}

}  // namespace
