#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <cstdint>
#include <vector>

#include "ui/dialog_backdrop.h"
#include "ui/intro_picture.h"
#include "render/clock_state.h"
#include "skin/window_shape.h"

namespace {

// Pixel (x, y) of bottom-up 32-bit rows, y counted from the top, as 0xRRGGBB.
std::uint32_t Pixel(const std::vector<std::uint8_t>& rows, int x, int y) {
  const std::size_t at =
      (static_cast<std::size_t>(kBackdropHeight - 1 - y) * kBackdropWidth + static_cast<std::size_t>(x)) * 4;
  EXPECT_EQ(rows[at + 3], 0);
  return (rows[at + 2] << 16) | (rows[at + 1] << 8) | rows[at];
}

}  // namespace

TEST(GradientBackdrop, ColumnsRunFromAThirdOfBToExactlyA) {
  const std::uint32_t a = 0x00C0D0E0;  // platform colour: blue C0, green D0, red E0
  const std::uint32_t b = 0x00FFFFFF;
  const std::vector<std::uint8_t> rows = GradientRows(a, b);
  ASSERT_EQ(rows.size(), 128u * 220u * 4u);
  // Left edge: t = 256 / 3 = 85, s = 170: (170 * E0 + 85 * FF) / 255 = 234 (0xEA).
  EXPECT_EQ(Pixel(rows, 0, 0), (234u << 16) | ((170u * 0xD0 + 85u * 255) / 255 << 8) |
                                   (170u * 0xC0 + 85u * 255) / 255);
  // Right edge: t = 2 / 3 = 0, the face colour itself (so no seam shows).
  EXPECT_EQ(Pixel(rows, 127, 219), 0xE0D0C0u);
  // Column 64: t = 128 / 3 = 42.
  EXPECT_EQ(Pixel(rows, 64, 100) >> 16, (213u * 0xE0 + 42u * 255) / 255);
  // Every row is the same.
  for (int y = 0; y < kBackdropHeight; y += 73) {
    for (int x = 0; x < kBackdropWidth; x += 9) EXPECT_EQ(Pixel(rows, x, y), Pixel(rows, x, 0));
  }
}

TEST(GradientBackdrop, EqualColoursGiveAFlatBackdrop) {
  const std::vector<std::uint8_t> rows = GradientRows(0x00336699, 0x00336699);
  for (int x = 0; x < kBackdropWidth; ++x) EXPECT_EQ(Pixel(rows, x, 5), 0x996633u);
}

namespace {

// A clock picture of w x h filled with one colour, its outline all inside.
void ComposeFlatClock(ClockState& clock, int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  const std::size_t n = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
  clock.frame.width = w;
  clock.frame.height = h;
  clock.frame.red.assign(n, r);
  clock.frame.green.assign(n, g);
  clock.frame.blue.assign(n, b);
  clock.frame.hasPlanes = true;
  clock.hitMask.assign(n, 1);
  clock.hitMaskWidth = w;
  clock.hitMaskHeight = h;
  clock.hasHitMask = true;
}

}  // namespace

TEST(IntroPicture, FadesTheClockInsideItsOutline) {
  ClockState clock;
  ComposeFlatClock(clock, 300, 300, 255, 0, 100);
  clock.hitMask[5 * 300 + 7] = 0;  // a cut-out pixel shows the face colour
  const std::uint32_t face = 0x00102030;  // red 0x30, green 0x20, blue 0x10
  BuildIntroPicture(clock, face);
  ASSERT_TRUE(clock.hasIntroPicture);
  const PlanarImage& p = clock.introPicture;
  ASSERT_EQ(p.width, 128);
  ASSERT_EQ(p.height, 220);
  // x = 0: w = 128: ((255 - 128) * 0x30 + 128 * 255) / 255 = 151.
  EXPECT_EQ(p.red[0], (127u * 0x30 + 128u * 255) / 255);
  EXPECT_EQ(p.green[0], (127u * 0x20) / 255);
  EXPECT_EQ(p.blue[0], (127u * 0x10 + 128u * 100) / 255);
  // x = 127: w = 1, almost only the face colour.
  EXPECT_EQ(p.red[127], (254u * 0x30 + 255) / 255);
  EXPECT_EQ(p.red[5 * 128 + 7], 0x30);
  EXPECT_EQ(p.blue[5 * 128 + 7], 0x10);
  EXPECT_EQ(p.red[219 * 128 + 10], (137u * 0x30 + 118u * 255) / 255);  // x = 10: w = 118
}

TEST(IntroPicture, SmallClockLeavesTheRestFaceColoured) {
  ClockState clock;
  ComposeFlatClock(clock, 40, 30, 0, 0, 0);
  BuildIntroPicture(clock, 0x00FFFFFF);
  const PlanarImage& p = clock.introPicture;
  EXPECT_EQ(p.red[29 * 128 + 39], (255u - 89) * 255 / 255);  // last clock pixel: w = 89
  EXPECT_EQ(p.red[29 * 128 + 40], 255);                      // right of the clock
  EXPECT_EQ(p.red[30 * 128 + 0], 255);                       // below the clock
  EXPECT_EQ(p.green[219 * 128 + 127], 255);
}

TEST(IntroPicture, NeverReadsPastAShortMaskOrPicture) {
  ClockState clock;
  ComposeFlatClock(clock, 200, 250, 255, 255, 255);
  // A mask left from a smaller body: it ends at 10 x 10.
  clock.hitMask.assign(100, 0);
  clock.hitMaskWidth = 10;
  clock.hitMaskHeight = 10;
  BuildIntroPicture(clock, 0);
  EXPECT_EQ(clock.introPicture.red[0], 0);            // masked out
  EXPECT_EQ(clock.introPicture.red[11], 117 * 255 / 255);  // beyond the mask: inside
  // Planes shorter than the stated size are not read at all.
  clock.frame.red.resize(10);
  BuildIntroPicture(clock, 0x00808080);
  EXPECT_EQ(clock.introPicture.red[11], 0x80);
  // Nothing composed yet: only the face colour.
  ClockState empty;
  BuildIntroPicture(empty, 0x00010203);
  EXPECT_EQ(empty.introPicture.red[0], 3);
  EXPECT_EQ(empty.introPicture.blue[128 * 220 - 1], 1);
}

TEST(IntroPicture, RowsAreBottomUpAndFreeingForgetsThePicture) {
  ClockState clock;
  ComposeFlatClock(clock, 128, 220, 0, 0, 0);
  clock.frame.red[0] = 255;  // top-left pixel
  BuildIntroPicture(clock, 0);
  const std::vector<std::uint8_t> rows = IntroPictureRows(clock.introPicture);
  ASSERT_EQ(rows.size(), 128u * 220u * 4u);
  EXPECT_EQ(rows[(219u * 128u) * 4 + 2], 128 * 255 / 255);  // red of the last row in memory
  EXPECT_EQ(rows[2], 0);
  FreeIntroPicture(clock);
  EXPECT_FALSE(clock.hasIntroPicture);
  EXPECT_TRUE(IntroPictureRows(clock.introPicture).empty());
}

// A clock drawn at twice the scale shows the same top-left part of itself in
// the introduction as at 96 dpi.
TEST(IntroPicture, ReadsAScaledClockIn96DpiPixels) {
  ClockState clock;
  ComposeFlatClock(clock, 40, 30, 10, 20, 30);
  clock.layers.assign(DialFrame0, PlanarImage());
  clock.layers[Body] = clock.frame;
  clock.hasLayers = true;
  WindowShape shape;
  ASSERT_TRUE(clock.ChangeDisplayDpi(192, shape));
  clock.ComposeFrame();
  ASSERT_EQ(clock.frame.width, 80);
  BuildIntroPicture(clock, 0x00FFFFFF);
  const PlanarImage& p = clock.introPicture;
  EXPECT_EQ(p.red[29 * 128 + 39], ((255u - 89) * 255 + 89u * 10) / 255);  // last clock pixel
  EXPECT_EQ(p.red[29 * 128 + 40], 255);
  EXPECT_EQ(p.red[30 * 128 + 0], 255);
}
