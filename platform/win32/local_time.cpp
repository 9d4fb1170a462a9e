#include "platform/local_clock.h"

namespace platform {

bool ReadSystemLocalTime(std::tm& parts) {
  const std::time_t now = std::time(nullptr);
  return !(localtime_s(&parts, &now) != 0);
}

}  // namespace platform
