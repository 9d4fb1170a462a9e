#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <random>

#include "ui/work_area.h"

namespace {

struct Placement {
  const char* what;
  ScreenRect workArea;
  ScreenRect window;
  ScreenPoint expected;
};

const Placement kPlacements[] = {
    {"inside stays", {0, 0, 1280, 1024}, {100, 200, 300, 400}, {100, 200}},
    {"exactly filling stays", {0, 0, 200, 200}, {0, 0, 200, 200}, {0, 0}},
    {"past the right edge", {0, 0, 1280, 1024}, {1200, 10, 1400, 210}, {1080, 10}},
    {"past the bottom edge", {0, 0, 1280, 984}, {10, 900, 210, 1100}, {10, 784}},
    {"past the left and top", {0, 0, 1280, 1024}, {-50, -70, 150, 130}, {0, 0}},
    {"far off screen", {0, 0, 1280, 1024}, {5000, -5000, 5200, -4800}, {1080, 0}},
    {"wider than the area", {0, 0, 150, 1024}, {30, 40, 230, 240}, {0, 0}},
    {"taller than the area", {10, 20, 1280, 120}, {30, 40, 230, 240}, {10, 20}},
    // A monitor left of the primary one has negative coordinates.
    {"second monitor, inside", {-1920, 0, 0, 1080}, {-1000, 100, -800, 300}, {-1000, 100}},
    {"second monitor, past its left", {-1920, 0, 0, 1080}, {-2000, 100, -1800, 300}, {-1920, 100}},
    {"second monitor, past its right", {-1920, 0, 0, 1080}, {-100, 100, 100, 300}, {-200, 100}},
    {"taskbar on top", {0, 40, 1280, 1024}, {100, 0, 300, 200}, {100, 40}},
};

}  // namespace

TEST(KeepInWorkArea, MovesOnlyAsFarAsNeededAndNeverResizes) {
  for (const Placement& c : kPlacements) {
    const ScreenPoint p = KeepInWorkArea(c.workArea, c.window);
    EXPECT_EQ(p.x, c.expected.x) << c.what;
    EXPECT_EQ(p.y, c.expected.y) << c.what;
  }
}

TEST(KeepInWorkArea, ResultIsInsideWheneverTheWindowFits) {
  const ScreenRect area{-300, 50, 700, 650};
  for (int left = -1200; left <= 1200; left += 37) {
    for (int top = -900; top <= 1500; top += 53) {
      const ScreenRect window{left, top, left + 240, top + 180};
      const ScreenPoint p = KeepInWorkArea(area, window);
      EXPECT_GE(p.x, area.left);
      EXPECT_LE(p.x + 240, area.right);
      EXPECT_GE(p.y, area.top);
      EXPECT_LE(p.y + 180, area.bottom);
    }
  }
}

// A window position from a settings file can be anything, and so can a
// monitor's coordinates: the corner is clamped into the work area in 64 bits.
TEST(KeepInWorkArea, PositionsAnywhereInTheIntRangeLandInsideThePlainClamp) {
  std::mt19937 rng(5);
  const int extremes[] = {INT_MIN, INT_MIN + 1, -16777216, -1, 0, 1, 1279, 16777216, INT_MAX - 100, INT_MAX};
  auto any = [&] { return rng() % 3 == 0 ? extremes[rng() % 10] : static_cast<int>(rng()); };
  for (int round = 0; round < 5000; ++round) {
    ScreenRect area{any(), any(), any(), any()};
    if (round % 2 == 0) area = {-1920, 0, 1280, 1024};
    if (area.right < area.left) std::swap(area.left, area.right);
    if (area.bottom < area.top) std::swap(area.top, area.bottom);
    const int w = static_cast<int>(rng() % 9000), h = static_cast<int>(rng() % 9000);
    const int x = any(), y = any();
    const ScreenPoint p = KeepInWorkArea(area, WindowRectAt(x, y, w, h));
    const std::int64_t areaW = std::int64_t{area.right} - area.left, areaH = std::int64_t{area.bottom} - area.top;
    if (w > areaW || h > areaH) {
      EXPECT_EQ(p.x, area.left);
      EXPECT_EQ(p.y, area.top);
      continue;
    }
    EXPECT_EQ(p.x, std::clamp<std::int64_t>(x, area.left, area.right - std::int64_t{w})) << x << " " << w;
    EXPECT_EQ(p.y, std::clamp<std::int64_t>(y, area.top, area.bottom - std::int64_t{h})) << y << " " << h;
  }
}

TEST(InitialWindowPosition, HalvesTheSizeTruncatedWithoutTheOrigin) {
  EXPECT_EQ(InitialWindowPosition({0, 0, 1280, 1024}).x, 540);
  EXPECT_EQ(InitialWindowPosition({0, 0, 1280, 1024}).y, 412);
  // Odd sizes truncate; the origin of the work area is not added.
  const ScreenPoint p = InitialWindowPosition({100, 40, 1381, 1065});
  EXPECT_EQ(p.x, 540);
  EXPECT_EQ(p.y, 412);
  EXPECT_EQ(InitialWindowPosition({0, 0, 101, 0}).x, -50);
  EXPECT_EQ(InitialWindowPosition({0, 0, 101, 0}).y, -100);
}
