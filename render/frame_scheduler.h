// Decides on each timer tick whether a new frame is due, and starts dial
// animation runs at random.
#pragma once
#include <cstdint>
#include <functional>

class FrameScheduler {
 public:
  FrameScheduler();
  virtual ~FrameScheduler();

  void ReadClock();
  bool IsRedrawDue();
  bool SetPermillage(int value);

  // Tests and tools set the time and the random draw; the program uses the
  // wall clock and rand().
  using TimeSource = std::function<void(int& hour, int& minute, int& second)>;
  using RandomSource = std::function<int()>;
  void SetTimeSource(TimeSource source);
  void SetRandomSource(RandomSource source);

  std::int32_t timeStamp = -1;
  std::int32_t shownStamp = -2;
  std::int32_t permillage = 0;
  std::int32_t hour = 0;
  std::int32_t minute = 0;
  std::int32_t second = 0;
  bool animating = false;
  std::int32_t animationFrame = 0;

 private:
  TimeSource timeSource_;
  RandomSource randomSource_;
};
