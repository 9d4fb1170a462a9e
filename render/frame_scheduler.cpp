#include "render/frame_scheduler.h"

#include <cstdlib>
#include <ctime>
#include <utility>

FrameScheduler::FrameScheduler() {
  // Dial runs start at random; a fresh seed per run of the program.
  std::srand(static_cast<unsigned>(std::time(nullptr)));
}

FrameScheduler::~FrameScheduler() = default;

void FrameScheduler::SetTimeSource(TimeSource source) { timeSource_ = std::move(source); }

void FrameScheduler::SetRandomSource(RandomSource source) { randomSource_ = std::move(source); }

void FrameScheduler::ReadClock() {
  if (timeSource_) {
    timeSource_(hour, minute, second);
    return;
  }
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) return;  // keep the last reading
  hour = local->tm_hour;
  minute = local->tm_min;
  second = local->tm_sec;
}

bool FrameScheduler::IsRedrawDue() {
  ReadClock();
  timeStamp = (hour * 100 + minute) * 100 + second;
  if (animating) {
    shownStamp = timeStamp;
    return true;
  }
  if (permillage != 0) {
    const int draw = randomSource_ ? randomSource_() : std::rand();
    if (draw % 1000 < permillage) {
      animating = true;
      animationFrame = 0;
      shownStamp = timeStamp;
      return true;
    }
  }
  if (timeStamp == shownStamp) return false;
  shownStamp = timeStamp;
  return true;
}

bool FrameScheduler::SetPermillage(int value) {
  permillage = value;
  return true;
}
