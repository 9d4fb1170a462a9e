// A generated clock skin held in memory, for benchmarks: a size x size body; a
// full-size numerals layer whose mask covers about a tenth of it with soft
// edges; hour, minute and second hands (40 x 360, 30 x 480, 12 x 500 at size
// 1024, scaled with the size) with soft masks and the 2-pixel transparent
// border hands get when loaded; a 96 x 96 masked cover (scaled too). The time
// is set to 10:08:37, where every hand is turned at a free angle.
#pragma once
#include <cstdint>
#include <vector>

#include "render/clock_state.h"

constexpr int kBenchHour = 10;
constexpr int kBenchMinute = 8;
constexpr int kBenchSecond = 37;

void MakeBenchSkin(ClockState& clock, int size, bool antiAliasing);

// The window's alpha of a round clock of that size drawn at a scale: 0 in the
// corners, 255 inside, a rim of partly covered pixels between.
std::vector<std::uint8_t> BenchWindowAlpha(int size);
