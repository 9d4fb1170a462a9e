// The local time from the system's own zone, asked afresh on every reading:
// the C runtime reads the zone once and would miss a change made while the
// program runs.
#include <windows.h>

#include <map>
#include <memory>
#include <optional>

#include "platform/local_clock.h"

namespace platform {

namespace {

// 100 ns ticks from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kUnixEpochTicks = 116444736000000000;
constexpr std::int64_t kTicksPerSecond = 10000000;

std::int64_t Ticks(const FILETIME& time) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime);
}

FILETIME FileTimeOf(std::int64_t ticks) {
  const auto bits = static_cast<std::uint64_t>(ticks);
  FILETIME time{};
  time.dwLowDateTime = static_cast<DWORD>(bits & 0xFFFFFFFFu);
  time.dwHighDateTime = static_cast<DWORD>(bits >> 32);
  return time;
}

// Local minus UTC in whole seconds (zones differ by minutes).
int OffsetSeconds(const FILETIME& utc, const FILETIME& local) {
  return static_cast<int>(Ticks(local) / kTicksPerSecond - Ticks(utc) / kTicksPerSecond);
}

// The local time at `utc` by a year's rule of a zone, or by the zone in
// force when none is given.
bool LocalFromUtc(const TIME_ZONE_INFORMATION* rule, const SYSTEMTIME& utcParts,
                  FILETIME& local, SYSTEMTIME& localParts) {
  return SystemTimeToTzSpecificLocalTime(rule, &utcParts, &localParts) &&
         SystemTimeToFileTime(&localParts, &local);
}

// The zone in force when the rule was made, with each year's rule asked once:
// the system reads it from the registry. Wine lacks the Ex conversion that
// would take the dynamic zone directly.
class ZoneYears {
 public:
  ZoneYears() { have_ = GetDynamicTimeZoneInformation(&zone_) != TIME_ZONE_ID_INVALID; }
  int StandardOffset() const { return -static_cast<int>(zone_.Bias) * 60; }
  const TIME_ZONE_INFORMATION* Year(WORD year) {
    if (!have_) return nullptr;
    auto found = years_.find(year);
    if (found == years_.end()) {
      TIME_ZONE_INFORMATION rule{};
      std::optional<TIME_ZONE_INFORMATION> kept;
      if (GetTimeZoneInformationForYear(year, &zone_, &rule)) kept = rule;
      found = years_.emplace(year, kept).first;
    }
    return found->second ? &*found->second : nullptr;
  }

 private:
  DYNAMIC_TIME_ZONE_INFORMATION zone_{};
  bool have_ = false;
  std::map<WORD, std::optional<TIME_ZONE_INFORMATION>> years_;
};

}  // namespace

bool ReadSystemLocalTime(std::tm& parts, int& utcOffsetSeconds) {
  FILETIME utcTime{};
  GetSystemTimeAsFileTime(&utcTime);
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  FILETIME localTime{};
  if (!FileTimeToSystemTime(&utcTime, &utc) || !LocalFromUtc(nullptr, utc, localTime, local)) {
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
  utcOffsetSeconds = OffsetSeconds(utcTime, localTime);
  return true;
}

std::function<int(std::int64_t utc)> CurrentZoneRule() {
  const auto zone = std::make_shared<ZoneYears>();
  return [zone](std::int64_t utc) {
    // FILETIME reaches from 1601 to far beyond any alarm; outside, standard time.
    constexpr std::int64_t kLast = (INT64_MAX - kUnixEpochTicks) / kTicksPerSecond;
    if (utc < -kUnixEpochTicks / kTicksPerSecond || utc > kLast) return zone->StandardOffset();
    const FILETIME at = FileTimeOf(kUnixEpochTicks + utc * kTicksPerSecond);
    SYSTEMTIME utcParts{};
    FILETIME local{};
    SYSTEMTIME localParts{};
    // The rule of the instant's UTC year: a local new year hours away holds no change.
    if (!FileTimeToSystemTime(&at, &utcParts) ||
        !LocalFromUtc(zone->Year(utcParts.wYear), utcParts, local, localParts)) {
      return zone->StandardOffset();
    }
    return OffsetSeconds(at, local);
  };
}

}  // namespace platform
