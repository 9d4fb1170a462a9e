#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "alarm/alarm_handover.h"
#include "alarm/alarm_walk.h"

namespace {

// Every second from 1601 to 9999 comes back as written; the text reads as the
// date and time it says.
TEST(AlarmHandover, LastCheckedRoundTrips) {
  std::mt19937_64 random(7);
  const std::int64_t first = -368 * 365 * AlarmWalk::kDaySeconds;
  const std::int64_t last = 8000LL * 365 * AlarmWalk::kDaySeconds;
  for (int i = 0; i < 20000; ++i) {
    const std::int64_t serial =
        first + static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(last - first));
    const std::string text = FormatLastChecked(serial);
    std::int64_t back = 0;
    ASSERT_TRUE(ParseLastChecked(text, back)) << text;
    ASSERT_EQ(back, serial) << text;
  }
  LocalClockReading reading;
  reading.year = 2024;
  reading.month = 2;
  reading.day = 29;
  reading.hour = 23;
  reading.minute = 5;
  reading.second = 9;
  EXPECT_EQ(FormatLastChecked(LocalSerial(reading)), "2024-02-29 23:05:09");
}

TEST(AlarmHandover, OnlyAValidDateAndTimeReads) {
  std::int64_t serial = 42;
  for (const char* text : {"", "2026-02-30 07:00:00", "2025-02-29 07:00:00", "2026-13-01 00:00:00",
                           "2026-01-01 24:00:00", "2026-01-01 07:60:00", "2026-01-01 07:00:00x",
                           "2026-1-1 7:0:0", "1600-12-31 23:59:59", "-2026-01-01 00:00:00"}) {
    EXPECT_FALSE(ParseLastChecked(text, serial)) << text;
  }
  EXPECT_EQ(serial, 42);
}

}  // namespace
