#include "platform/local_clock.h"

#include <utility>

namespace {

LocalClockSource& Source() {
  static LocalClockSource source;
  return source;
}

LocalClockReading ReadLocalTime() {
  if (Source()) return Source()();
  LocalClockReading reading;
  if (!platform::ReadSystemLocalTime(reading)) return LocalClockReading{};
  return reading;
}

}  // namespace

void SetLocalClockSource(LocalClockSource source) { Source() = std::move(source); }

int LocalYear() { return ReadLocalTime().year; }
int LocalMonth() { return ReadLocalTime().month; }
int LocalDay() { return ReadLocalTime().day; }
int LocalWeekday() { return ReadLocalTime().weekday; }

int LocalTimeCode() {
  const LocalClockReading now = ReadLocalTime();
  return now.hour * 10000 + now.minute * 100 + now.second;
}
