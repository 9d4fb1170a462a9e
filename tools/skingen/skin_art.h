// The pictures of the bundled skin and where they sit on the body.
#pragma once
#include <string>
#include <vector>

#include "tools/skingen/raster.h"

namespace skingen {

constexpr int kBodySize = 241;          // odd, so the axis is a pixel centre
constexpr int kAxis = 120;              // pixel (120, 120), centre (120.5, 120.5)
constexpr std::uint32_t kKey = 0xFF00FF;  // cut out of the window

constexpr int kNumeralsOffset = 16;     // the numerals picture's top-left on the body
constexpr int kMoonX = 84, kMoonY = 50;  // the dial animation's top-left on the body
constexpr int kDialFrames = 6;

struct Hand {
  Canvas picture;
  int axisX, axisY;
};

Canvas Body();
Canvas Numerals();
Canvas MoonFrame(int frame);
Hand HourHand();
Hand MinuteHand();
Hand SecondHand();
Canvas Cap();
int CapOffset();

}  // namespace skingen
