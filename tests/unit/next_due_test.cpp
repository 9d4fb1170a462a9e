// The next due alarm and when it comes, against a plain walk over every UTC
// second: the clock shows local = utc + offset, and each second the walk looks
// at every local second it has not looked at yet, as the alarm check does.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "alarm/alarm_list.h"
#include "alarm/alarm_record.h"
#include "alarm/next_due.h"

namespace {

constexpr std::int64_t kDay = 86400;

std::int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  return era * 146097LL + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

// The weekday of a day number by way of its date (Sakamoto's rule), not by
// counting days from a known Thursday.
int WeekdayOf(std::int64_t dayNumber) {
  std::int64_t z = dayNumber + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  int y = static_cast<int>(yoe + era * 400 + (m <= 2));
  static const int kMonthShift[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (m < 3) --y;
  return (y + y / 4 - y / 100 + y / 400 + kMonthShift[m - 1] + d) % 7;
}

// Standard time plus `saving` from `start` until `end` (UTC); a southern
// zone's saving runs across the new year, so its start comes after its end.
struct TestZone {
  int standard;
  int saving;
  std::int64_t start;
  std::int64_t end;
  int OffsetAt(std::int64_t utc) const {
    const bool saved = start < end ? (utc >= start && utc < end) : (utc >= start || utc < end);
    return standard + (saved ? saving : 0);
  }
};

struct PlainWalk {
  std::int64_t cursor;
  // One tick at `local`: the first due second among those not looked at yet.
  std::optional<std::int64_t> Tick(const AlarmList& list, std::int64_t local) {
    std::optional<std::int64_t> due;
    for (std::int64_t s = cursor + 1; s <= local && !due; ++s) {
      const std::int64_t day = s / kDay;
      const int sod = static_cast<int>(s % kDay);
      const int code = sod / 3600 * 10000 + sod / 60 % 60 * 100 + sod % 60;
      for (int i = 0; i < list.Count(); ++i) {
        if (list.Active(i)->IsDue(WeekdayOf(day), code)) due = s;
      }
    }
    cursor = std::max(cursor, local);
    return due;
  }
};

// Half the lists keep all their alarms on one weekday; that weekday, or -1.
int Fill(AlarmList& list, std::mt19937& random, int transitionSecondOfDay, bool anyOn) {
  list.BeginEdit();
  const int shared = random() % 2 ? static_cast<int>(random() % 7) : -1;
  const int count = 1 + static_cast<int>(random() % 6);
  for (int i = 0; i < count; ++i) {
    // Near the change, near midnight, or anywhere.
    const int kind = static_cast<int>(random() % 3);
    int sod = static_cast<int>(random() % kDay);
    if (kind == 0) sod = transitionSecondOfDay + static_cast<int>(random() % 10800) - 5400;
    if (kind == 1) sod = static_cast<int>(random() % 600) - 300;
    sod = static_cast<int>((sod % kDay + kDay) % kDay);
    const int weekday = shared >= 0 ? shared : static_cast<int>(random() % 8);
    const TimeOfAlarm time{weekday, sod / 3600, sod / 60 % 60, sod % 60};
    EXPECT_TRUE(list.AddWorking());
    EXPECT_TRUE(list.StoreWorking(i, anyOn && random() % 4 != 0, FormatTimeKey(time).c_str(),
                                  "t", "", ""));
  }
  list.EndEdit(true);
  return shared;
}

// Five days of seconds around one change of the zone's rule: every due
// moment predicted, from the walk's state after each alarm and at random
// points between, is the one the walk meets, local second and instant.
void WalkAcross(const TestZone& zone, std::int64_t change, int changeSecondOfDay,
                std::mt19937& random, bool anyOn) {
  AlarmList list{nullptr};
  const int shared = Fill(list, random, changeSecondOfDay, anyOn);
  const UtcOffsetAt offsetAt = [&zone](std::int64_t utc) { return zone.OffsetAt(utc); };
  std::int64_t t = change - 3 * kDay + static_cast<std::int64_t>(random() % 3600);
  const std::int64_t end = change + 2 * kDay;
  PlainWalk walk{t + zone.OffsetAt(t)};
  // A weekly alarm may lie beyond the five days: the local search alone
  // against eight days of local seconds, from the last second of the
  // alarms' own weekday when they share one (the next is a week on).
  std::int64_t after = walk.cursor;
  if (shared >= 0) {
    std::int64_t day = after / kDay;
    while (WeekdayOf(day) != shared) ++day;
    after = day * kDay + kDay - 1;
  }
  PlainWalk week{after};
  ASSERT_EQ(NextDueLocalSecond(list, after), week.Tick(list, after + 8 * kDay));
  std::optional<DueMoment> predicted = NextDueMoment(list, walk.cursor, t, offsetAt);
  while (++t <= end) {
    const std::optional<std::int64_t> due = walk.Tick(list, t + zone.OffsetAt(t));
    if (due) {
      ASSERT_TRUE(predicted.has_value()) << "unpredicted alarm at " << t;
      ASSERT_EQ(predicted->local, *due) << "at " << t;
      ASSERT_EQ(predicted->utc, t) << "local " << *due;
    }
    if (due || random() % 20000 == 0) {
      const std::optional<DueMoment> again = NextDueMoment(list, walk.cursor, t, offsetAt);
      if (!due) {
        ASSERT_EQ(again.has_value(), predicted.has_value());
        if (again) {
          ASSERT_EQ(again->utc, predicted->utc);
        }
      }
      predicted = again;
    }
  }
  EXPECT_TRUE(!predicted || predicted->utc > end) << "the walk never met " << predicted->local;
}

TEST(NextDue, MatchesAWalkOverEverySecondAcrossBothChanges) {
  std::mt19937 random(26);
  // (standard offset, saving, the date and local time saving starts, the
  // date it ends): month ends, a leap day, the new year, midnight changes.
  struct Rule { int standard, saving, y1, m1, d1, h1, y2, m2, d2, h2; };
  const Rule rules[] = {
      {3600, 3600, 2024, 3, 31, 2 * 3600, 2024, 10, 27, 3 * 3600},
      {-5 * 3600 - 1800, 1800, 2024, 2, 29, 0, 2024, 11, 30, 23 * 3600 + 1800},
      {10 * 3600 + 1800, 1800, 2023, 12, 31, 2 * 3600, 2024, 4, 7, 2 * 3600},
      {-12 * 3600, 3600, 2025, 2, 28, 23 * 3600, 2025, 9, 30, 1 * 3600},
      {14 * 3600 - 2700, 3600, 2024, 9, 29, 2 * 3600 + 2700, 2024, 4, 6, 3 * 3600 + 2700},
  };
  int window = 0;
  for (const Rule& r : rules) {
    // The instants of the local times given: standard time before saving
    // starts, saving time before it ends.
    const std::int64_t start = DaysFromCivil(r.y1, r.m1, r.d1) * kDay + r.h1 - r.standard;
    const std::int64_t end = DaysFromCivil(r.y2, r.m2, r.d2) * kDay + r.h2 - r.standard - r.saving;
    const TestZone zone{r.standard, r.saving, start, end};
    SCOPED_TRACE(r.standard);
    WalkAcross(zone, start, r.h1, random, window++ != 0);
    WalkAcross(zone, end, r.h2, random, true);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
