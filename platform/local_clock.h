// The clock readings the alarms and the calendar use. Each call reads the local
// time afresh; tests set a source of their own so nothing depends on the wall
// clock.
#pragma once
#include <cstdint>
#include <ctime>
#include <functional>
#include <utility>

struct LocalClockReading {
  int year = 1970;  // e.g. 2001
  int month = 1;    // 1..12
  int day = 1;      // 1..31
  int weekday = 4;  // 0 Sunday .. 6 Saturday
  int hour = 0;
  int minute = 0;
  int second = 0;
  // Local time minus UTC, in seconds, at this reading: a daylight-saving
  // change shows here as a jump, a clock set by hand does not.
  int utcOffsetSeconds = 0;
};

namespace platform {
// The operating system's local time and its offset from UTC, in one reading,
// in the time zone in force now (a zone changed while the program runs is
// seen at the next reading); false when it has none.
bool ReadSystemLocalTime(std::tm& parts, int& utcOffsetSeconds);

// The rule of the time zone in force now: seconds east of UTC at any instant
// (seconds since 1970-01-01 00:00:00 UTC), past or future, daylight saving
// included, by that year's own rule where the system keeps one. The zone is
// read when the rule is made: make it again after a zone change.
std::function<int(std::int64_t utc)> CurrentZoneRule();
}  // namespace platform

int LocalYear();
int LocalMonth();
int LocalDay();
int LocalWeekday();
int LocalTimeCode();  // hour * 10000 + minute * 100 + second

// The whole local date and time from one reading, so that the weekday and the
// time of day always belong together (two readings can straddle midnight).
LocalClockReading ReadLocalClock();

// Milliseconds on a clock that nobody sets: it only moves forward, so it
// measures real lateness. Windows keeps it counting while the computer sleeps.
std::int64_t ElapsedMilliseconds();

// Where the readings come from; an empty function restores the real clock.
using LocalClockSource = std::function<LocalClockReading()>;
void SetLocalClockSource(LocalClockSource source);
using ElapsedSource = std::function<std::int64_t()>;
void SetElapsedSource(ElapsedSource source);

// Installs a source for the lifetime of the object (tests).
class ScopedLocalClock {
 public:
  explicit ScopedLocalClock(LocalClockSource source) { SetLocalClockSource(std::move(source)); }
  explicit ScopedLocalClock(const LocalClockReading& fixed)
      : ScopedLocalClock([fixed] { return fixed; }) {}
  ~ScopedLocalClock() { SetLocalClockSource(nullptr); }
  ScopedLocalClock(const ScopedLocalClock&) = delete;
  ScopedLocalClock& operator=(const ScopedLocalClock&) = delete;
};

class ScopedElapsedClock {
 public:
  explicit ScopedElapsedClock(ElapsedSource source) { SetElapsedSource(std::move(source)); }
  ~ScopedElapsedClock() { SetElapsedSource(nullptr); }
  ScopedElapsedClock(const ScopedElapsedClock&) = delete;
  ScopedElapsedClock& operator=(const ScopedElapsedClock&) = delete;
};
