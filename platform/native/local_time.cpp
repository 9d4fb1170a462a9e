#include "platform/local_clock.h"

#include <ctime>

namespace platform {

bool ReadSystemLocalTime(LocalClockReading& reading) {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  if (localtime_r(&now, &parts) == nullptr) return false;
  reading.year = parts.tm_year + 1900;
  reading.month = parts.tm_mon + 1;
  reading.day = parts.tm_mday;
  reading.weekday = parts.tm_wday;
  reading.hour = parts.tm_hour;
  reading.minute = parts.tm_min;
  reading.second = parts.tm_sec;
  return true;
}

}  // namespace platform
