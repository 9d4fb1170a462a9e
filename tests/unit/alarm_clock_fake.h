// A local clock and a monotonic clock that tests move by hand: running time
// moves both, setting the clock moves only the local one.
#pragma once
#include <cstdint>

#include "platform/local_clock.h"

class FakeAlarmClock {
 public:
  // Starts at the given local date and time; `weekday` must fit the date.
  FakeAlarmClock(int year, int month, int day, int weekday, int hour, int minute, int second) {
    SetDate(year, month, day, weekday);
    Set(hour, minute, second);
  }

  // Real time passes (a tick, a stall, a sleep): both clocks move.
  void Run(int seconds) {
    Advance(seconds);
    elapsedMs += static_cast<std::int64_t>(seconds) * 1000;
  }
  // The local clock is set to another time of the same day; no real time passes.
  void Set(int hour, int minute, int second) {
    local.hour = hour;
    local.minute = minute;
    local.second = second;
  }
  // The local clock moves without real time passing (set forward, or a sleep
  // that the monotonic clock did not count).
  void Advance(int seconds) {
    for (int i = 0; i < seconds; ++i) StepOneSecond();
  }
  // The local clock is set back; no real time passes.
  void Rewind(int seconds) {
    for (int i = 0; i < seconds; ++i) StepBackOneSecond();
  }
  // The local clock is set to another date; no real time passes.
  void SetDate(int year, int month, int day, int weekday) {
    local.year = year;
    local.month = month;
    local.day = day;
    local.weekday = weekday;
  }

  LocalClockReading local;
  std::int64_t elapsedMs = 1000000;

 private:
  int DaysInMonth() const {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (local.year % 4 == 0 && local.year % 100 != 0) || local.year % 400 == 0;
    return local.month == 2 && leap ? 29 : days[local.month - 1];
  }
  void StepBackOneSecond() {
    if (--local.second >= 0) return;
    local.second = 59;
    if (--local.minute >= 0) return;
    local.minute = 59;
    if (--local.hour >= 0) return;
    local.hour = 23;
    local.weekday = (local.weekday + 6) % 7;
    if (--local.day >= 1) return;
    if (--local.month < 1) {
      local.month = 12;
      --local.year;
    }
    local.day = DaysInMonth();
  }
  void StepOneSecond() {
    if (++local.second < 60) return;
    local.second = 0;
    if (++local.minute < 60) return;
    local.minute = 0;
    if (++local.hour < 24) return;
    local.hour = 0;
    local.weekday = (local.weekday + 1) % 7;
    if (++local.day <= DaysInMonth()) return;
    local.day = 1;
    if (++local.month <= 12) return;
    local.month = 1;
    ++local.year;
  }
};
