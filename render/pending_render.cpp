// Placeholder until scheduling and composition land.
#include "skin/clock_state.h"
FrameScheduler::FrameScheduler() {}
FrameScheduler::~FrameScheduler() = default;
void FrameScheduler::ReadClock() {}
bool FrameScheduler::IsRedrawDue() { return false; }
bool FrameScheduler::SetPermillage(int) { return true; }
void FrameScheduler::SetTimeSource(TimeSource) {}
void FrameScheduler::SetRandomSource(RandomSource) {}
void ClockState::ComposeFrame() {}
bool ClockState::DrawLayer(int, int, int, std::uint8_t) { return true; }
bool ClockState::DrawLayerRotated(int, int, int, int, int, std::uint8_t, float) { return true; }
