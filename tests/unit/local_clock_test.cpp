#include <gtest/gtest.h>

#include <cstdint>

#include "platform/local_clock.h"

namespace {

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

}  // namespace
