#include "platform/local_clock.h"

namespace platform {

bool ReadSystemLocalTime(std::tm& parts) {
  const std::time_t now = std::time(nullptr);
  return !(localtime_r(&now, &parts) == nullptr);
}

}  // namespace platform
