#include "platform/local_clock.h"

#include <time.h>

namespace platform {

bool ReadSystemLocalTime(std::tm& parts, int& utcOffsetSeconds) {
  // localtime_r need not look at TZ again: tzset does, so a changed zone counts.
  tzset();
  const std::time_t now = std::time(nullptr);
  if (localtime_r(&now, &parts) == nullptr) return false;
  utcOffsetSeconds = static_cast<int>(parts.tm_gmtoff);
  return true;
}

std::function<int(std::int64_t utc)> CurrentZoneRule() {
  tzset();
  return [](std::int64_t utc) {
    const std::time_t at = static_cast<std::time_t>(utc);
    std::tm parts{};
    return localtime_r(&at, &parts) != nullptr ? static_cast<int>(parts.tm_gmtoff) : 0;
  };
}

}  // namespace platform
