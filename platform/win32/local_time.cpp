// The local time from the system's own zone, asked afresh on every reading:
// the C runtime reads the zone once and would miss a change made while the
// program runs.
#include <windows.h>

#include "platform/local_clock.h"

namespace platform {

namespace {

std::int64_t Ticks(const FILETIME& time) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime);
}

}  // namespace

bool ReadSystemLocalTime(std::tm& parts, int& utcOffsetSeconds) {
  FILETIME utcTime{};
  GetSystemTimeAsFileTime(&utcTime);
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  FILETIME localTime{};
  if (!FileTimeToSystemTime(&utcTime, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) ||
      !SystemTimeToFileTime(&local, &localTime)) {
    return false;
  }
  parts = std::tm{};
  parts.tm_year = local.wYear - 1900;
  parts.tm_mon = local.wMonth - 1;
  parts.tm_mday = local.wDay;
  parts.tm_wday = local.wDayOfWeek;
  parts.tm_hour = local.wHour;
  parts.tm_min = local.wMinute;
  parts.tm_sec = local.wSecond;
  // Both in 100 ns ticks; the offset is whole seconds (zones differ by minutes).
  const std::int64_t difference = Ticks(localTime) / 10000000 - Ticks(utcTime) / 10000000;
  utcOffsetSeconds = static_cast<int>(difference);
  return true;
}

}  // namespace platform
