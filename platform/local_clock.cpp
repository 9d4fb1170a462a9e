#include "platform/local_clock.h"

#include <chrono>
#include <utility>

namespace {

LocalClockSource& Source() {
  static LocalClockSource source;
  return source;
}

LocalClockReading ReadLocalTime() {
  if (Source()) return Source()();
  std::tm parts{};
  int utcOffset = 0;
  if (!platform::ReadSystemLocalTime(parts, utcOffset)) return LocalClockReading{};
  LocalClockReading reading;
  reading.year = parts.tm_year + 1900;
  reading.month = parts.tm_mon + 1;
  reading.day = parts.tm_mday;
  reading.weekday = parts.tm_wday;
  reading.hour = parts.tm_hour;
  reading.minute = parts.tm_min;
  reading.second = parts.tm_sec;
  reading.utcOffsetSeconds = utcOffset;
  return reading;
}

ElapsedSource& Elapsed() {
  static ElapsedSource source;
  return source;
}

}  // namespace

void SetLocalClockSource(LocalClockSource source) { Source() = std::move(source); }
void SetElapsedSource(ElapsedSource source) { Elapsed() = std::move(source); }

LocalClockReading ReadLocalClock() { return ReadLocalTime(); }

std::int64_t ElapsedMilliseconds() {
  if (Elapsed()) return Elapsed()();
  // steady_clock: QueryPerformanceCounter on Windows, CLOCK_MONOTONIC here.
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
}

int LocalYear() { return ReadLocalTime().year; }
int LocalMonth() { return ReadLocalTime().month; }
int LocalDay() { return ReadLocalTime().day; }
int LocalWeekday() { return ReadLocalTime().weekday; }

int LocalTimeCode() {
  const LocalClockReading now = ReadLocalTime();
  return now.hour * 10000 + now.minute * 100 + now.second;
}
