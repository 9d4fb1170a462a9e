#include <algorithm>
#include <atomic>
#include <cstddef>

#include "platform/plane_memory.h"

namespace platform {

namespace {
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};
}  // namespace

void detail::TallyLargePlane(std::size_t bytes, bool taken) noexcept {
  if (!taken) {
    liveBytes -= bytes;
    return;
  }
  const std::size_t now = liveBytes += bytes;
  std::size_t peak = peakBytes.load();
  while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
  }
}

std::size_t LargePlaneLiveBytes() { return liveBytes; }
std::size_t LargePlanePeakBytes() { return peakBytes; }
void ResetLargePlanePeak() { peakBytes = liveBytes.load(); }

}  // namespace platform
