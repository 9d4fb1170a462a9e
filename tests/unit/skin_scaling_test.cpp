// Skins drawn at another display scale: the resampling filter against a plain
// implementation of it, the properties the clock relies on (no key colour or
// mask-0 colour bleeding, uniform stays uniform), the outline as coverage, the
// memory bound, and the composed frame at 1.25, 1.5 and 2.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

#include "render/clock_state.h"
#include "render/hand_angles.h"
#include "render/layer_drawing.h"
#include "render_test_support.h"
#include "skin/display_scale.h"
#include "skin/layer_table.h"
#include "skin/picture_resample.h"
#include "skin/skin_budget.h"
#include "skin/skin_scaling.h"

namespace {

using render_test::At;
using render_test::Masked;
using render_test::Random;
using render_test::Solid;

const int kDpis[] = {120, 144, 192};  // 1.25, 1.5, 2

double CatmullRom(double x) {
  x = std::fabs(x);
  if (x < 1) return 1 - x * x * (2.5 - 1.5 * x);
  if (x < 2) return 2 - x * (4 + x * (0.5 * x - 2.5));
  return 0;
}

// The same filter written plainly: separable Catmull-Rom over premultiplied
// colour, output pixel centres mapped back onto the source, edges clamped.
// Four planes (r, g, b premultiplied, weight) in doubles.
std::vector<double> PlainResample(const PlanarImage& in, int w, int h) {
  const int sw = in.width, sh = in.height;
  auto weight = [&](std::size_t i) { return in.hasMask ? in.mask[i] / 255.0 : 1.0; };
  auto tap = [](double centre, int size, int k, int& index) {
    index = static_cast<int>(std::floor(centre)) + k;
    const double w = CatmullRom(index + 0.5 - centre);
    index = std::min(std::max(index, 0), size - 1);
    return w;
  };
  std::vector<double> out(static_cast<std::size_t>(w) * h * 4, 0.0);
  for (int y = 0; y < h; ++y) {
    const double cy = (y + 0.5) * sh / h;
    for (int x = 0; x < w; ++x) {
      const double cx = (x + 0.5) * sw / w;
      double sum[4] = {0, 0, 0, 0};
      for (int j = -2; j <= 2; ++j) {
        int sy;
        const double wy = tap(cy, sh, j, sy);
        for (int i = -2; i <= 2; ++i) {
          int sx;
          const double wx = tap(cx, sw, i, sx);
          const std::size_t s = static_cast<std::size_t>(sy) * sw + sx;
          const double a = weight(s);
          sum[0] += wx * wy * in.red[s] * a;
          sum[1] += wx * wy * in.green[s] * a;
          sum[2] += wx * wy * in.blue[s] * a;
          sum[3] += wx * wy * a;
        }
      }
      for (int c = 0; c < 4; ++c) out[(static_cast<std::size_t>(y) * w + x) * 4 + c] = sum[c];
    }
  }
  return out;
}

TEST(PictureResample, MatchesAPlainCatmullRomOverPremultipliedColour) {
  std::mt19937 rng(16);
  for (int dpi : kDpis) {
    for (int round = 0; round < 4; ++round) {
      const PlanarImage source = Random(rng, 9 + round * 3, 7 + round * 2, round % 2 == 0, false);
      const int w = ScaleByDpi(source.width, dpi), h = ScaleByDpi(source.height, dpi);
      PlanarImage out;
      ASSERT_TRUE(ResamplePicture(source, nullptr, w, h, out));
      ASSERT_EQ(out.width, w);
      ASSERT_EQ(out.height, h);
      EXPECT_EQ(out.hasMask, source.hasMask);
      const std::vector<double> plain = PlainResample(source, w, h);
      for (std::size_t i = 0; i < out.red.size(); ++i) {
        const double a = plain[i * 4 + 3];
        const double alpha = std::min(255.0, std::max(0.0, a * 255));
        if (out.hasMask) {
          EXPECT_NEAR(out.mask[i], alpha, 1.0) << "dpi " << dpi << " pixel " << i;
        }
        if (alpha < 32) continue;  // colour over a faint weight is imprecise anywhere
        const std::uint8_t got[3] = {out.red[i], out.green[i], out.blue[i]};
        for (int c = 0; c < 3; ++c) {
          const double want = std::min(255.0, std::max(0.0, plain[i * 4 + static_cast<std::size_t>(c)] / a));
          EXPECT_NEAR(got[c], want, 1.0) << "dpi " << dpi << " pixel " << i << " channel " << c;
        }
      }
    }
  }
}

TEST(PictureResample, HiddenPixelsLendNoColourAndUniformStaysUniform) {
  std::mt19937 rng(7);
  for (int dpi : kDpis) {
    // An opaque uniform picture stays exactly that colour.
    PlanarImage out;
    const PlanarImage flat = Solid(11, 6, 12, 200, 99);
    ASSERT_TRUE(ResamplePicture(flat, nullptr, ScaleByDpi(11, dpi), ScaleByDpi(6, dpi), out));
    for (std::size_t i = 0; i < out.red.size(); ++i) {
      ASSERT_EQ(out.red[i], 12);
      ASSERT_EQ(out.green[i], 200);
      ASSERT_EQ(out.blue[i], 99);
    }
    // A hand of one colour whose hidden pixels hold garbage: wherever the
    // result shows anything, it shows exactly the hand's colour (no dark or
    // pink edge), and where the source is fully opaque the mask stays 255.
    PlanarImage hand = Random(rng, 13, 17, true, true);
    for (std::size_t i = 0; i < hand.red.size(); ++i) {
      if (hand.mask[i] != 0) hand.red[i] = 30, hand.green[i] = 140, hand.blue[i] = 250;
    }
    ASSERT_TRUE(ResamplePicture(hand, nullptr, ScaleByDpi(13, dpi), ScaleByDpi(17, dpi), out));
    for (std::size_t i = 0; i < out.red.size(); ++i) {
      if (out.mask[i] == 0) continue;
      ASSERT_EQ(out.red[i], 30) << "dpi " << dpi << " pixel " << i;
      ASSERT_EQ(out.green[i], 140);
      ASSERT_EQ(out.blue[i], 250);
    }
    const PlanarImage opaque = Masked(8, 8, 1, 2, 3, 255);
    ASSERT_TRUE(ResamplePicture(opaque, nullptr, ScaleByDpi(8, dpi), ScaleByDpi(8, dpi), out));
    for (std::uint8_t m : out.mask) ASSERT_EQ(m, 255);
  }
}

TEST(SkinScaling, OutlineIsScaledAsCoverage) {
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> bit(0, 1);
  // At twice the size every pixel becomes a 2 x 2 block.
  std::vector<std::uint8_t> mask(7 * 5);
  for (auto& m : mask) m = static_cast<std::uint8_t>(bit(rng));
  const std::vector<std::uint8_t> twice = ScaleCoverage(mask, 7, 5, 14, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 14; ++x) ASSERT_EQ(twice[y * 14 + x], mask[(y / 2) * 7 + x / 2]) << x << "," << y;

  // 1.5: output pixel 1 of a 2-pixel source covers half of each source pixel;
  // half is inside. 1.25 (4 -> 5): output pixel 1 covers a quarter of its
  // area with source 0 and three quarters with source 1; pixel 2 halves.
  EXPECT_EQ(ScaleCoverage({1, 0}, 2, 1, 3, 1), (std::vector<std::uint8_t>{1, 1, 0}));
  EXPECT_EQ(ScaleCoverage({0, 1}, 2, 1, 3, 1), (std::vector<std::uint8_t>{0, 1, 1}));
  EXPECT_EQ(ScaleCoverage({1, 0, 0, 1}, 4, 1, 5, 1), (std::vector<std::uint8_t>{1, 0, 0, 0, 1}));
  EXPECT_EQ(ScaleCoverage({0, 1, 1, 0}, 4, 1, 5, 1), (std::vector<std::uint8_t>{0, 1, 1, 1, 0}));
  EXPECT_EQ(ScaleCoverage({0, 1, 0, 0}, 4, 1, 5, 1), (std::vector<std::uint8_t>{0, 1, 1, 0, 0}));

  const WindowShape shape = ShapeFromMask({0, 1, 1, 0, 1, 1, 1, 1}, 4, 2);
  ASSERT_TRUE(shape.valid);
  ASSERT_EQ(shape.runs.size(), 2u);
  EXPECT_EQ(shape.runs[0].x0, 1);
  EXPECT_EQ(shape.runs[0].x1, 3);
  EXPECT_EQ(shape.runs[1].y, 1);
  EXPECT_EQ(shape.runs[1].x0, 0);
  EXPECT_EQ(shape.runs[1].x1, 4);
}

TEST(SkinScaling, LargestScaleWithinTheMemoryBound) {
  std::vector<PlanarImage> layers(7);
  // Sizes only: the bound is reckoned from them, nothing is allocated.
  layers[Body].hasPlanes = true;
  layers[Body].width = 4000;
  layers[Body].height = 4000;
  layers[HourHand] = layers[Body];
  layers[HourHand].hasMask = true;
  // As loaded: the pictures, the frame, the hit mask, the outline and the
  // window's alpha.
  const std::uint64_t atBase = ScaledSkinBytes(layers, kBaseDpi);
  const std::uint64_t pictures = PlaneBytes(4000, 4000, PictureForm::Plain) * 2 +
                                 PlaneBytes(4000, 4000, PictureForm::Masked) + 3 * 4000 * 4000;
  EXPECT_GE(atBase, pictures);
  EXPECT_LE(atBase, pictures + (std::uint64_t{64} << 10));  // the table and the settings' texts
  // At a scale, while the copies are made: all that, every copy, the frame and
  // hit mask and alpha at the scale, and a scratch of a few megabytes at most.
  const std::uint64_t copies = PlaneBytes(8000, 8000, PictureForm::Plain) * 2 +
                               PlaneBytes(8000, 8000, PictureForm::Masked) + 2 * 8000 * 8000;
  EXPECT_GE(ScaledSkinBytes(layers, 192), atBase + copies);
  EXPECT_LE(ScaledSkinBytes(layers, 192), atBase + copies + (std::uint64_t{9} << 20));
  const int fitting = FittingDpi(layers, 192);
  EXPECT_GT(fitting, kBaseDpi);
  EXPECT_LT(fitting, 192);
  EXPECT_LE(ScaledSkinBytes(layers, fitting), kMaxSkinPlaneBytes);
  EXPECT_GT(ScaledSkinBytes(layers, fitting + 1), kMaxSkinPlaneBytes);

  layers[Body].width = layers[HourHand].width = 20, layers[Body].height = layers[HourHand].height = 20;
  EXPECT_EQ(FittingDpi(layers, 192), 192);
  EXPECT_EQ(FittingDpi(layers, 1000), kMaxDpi);  // out of range: clamped
  layers[Body].width = layers[Body].height = 9000;  // too large even at 100 %: stays there
  EXPECT_EQ(FittingDpi(layers, 192), kBaseDpi);
}

// A clock with a keyed body (a round inside on magenta), a dial and a hand.
ClockState MakeClock() {
  std::mt19937 rng(11);
  ClockState clock;
  clock.layers.resize(DialFrame0 + 2);
  clock.hasLayers = true;
  PlanarImage body = Random(rng, 30, 24, false, false);
  clock.hitMask.assign(30 * 24, 0);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool inside = (x - 15) * (x - 15) + (y - 12) * (y - 12) < 120;
      clock.hitMask[At(body, x, y)] = inside ? 1 : 0;
      if (!inside) body.red[At(body, x, y)] = 255, body.green[At(body, x, y)] = 0, body.blue[At(body, x, y)] = 255;
    }
  clock.hitMaskWidth = 30;
  clock.hitMaskHeight = 24;
  clock.hasHitMask = true;
  clock.layers[Body] = body;
  clock.frame = body;
  clock.layers[DialFrame0] = Random(rng, 9, 7, true, false);
  clock.layers[DialFrame0 + 1] = Solid(9, 7, 1, 2, 3);
  clock.layers[HourHand] = Random(rng, 7, 15, true, true);
  clock.layers[HourHand].pivotX = 3;
  clock.layers[HourHand].pivotY = 12;
  clock.settings.animation = 2;
  clock.settings.dialPosX = 5;
  clock.settings.dialPosY = 3;
  clock.settings.axisPosX = 15;
  clock.settings.axisPosY = 11;
  clock.settings.antiAliasing = true;
  clock.hour = 4, clock.minute = 10, clock.second = 0;
  return clock;
}

TEST(SkinScaling, ClockAtAScaleDrawsTheScaledLayersByTheRule) {
  for (int dpi : kDpis) {
    ClockState clock = MakeClock();
    const ClockState plain = MakeClock();
    WindowShape shape;
    ASSERT_TRUE(clock.ChangeDisplayDpi(dpi, shape));
    ASSERT_EQ(clock.DrawDpi(), dpi);
    const int w = ScaleByDpi(30, dpi), h = ScaleByDpi(24, dpi);
    ASSERT_EQ(clock.frame.width, w);
    ASSERT_EQ(clock.frame.height, h);
    ASSERT_EQ(clock.hitMaskWidth, w);
    EXPECT_EQ(clock.hitMask, ScaleCoverage(plain.hitMask, 30, 24, w, h));
    EXPECT_EQ(shape.runs.size(), ShapeFromMask(clock.hitMask, w, h).runs.size());
    clock.ComposeFrame();

    // The same picture by hand: every layer resampled, positions and pivots
    // by the rule, the hand turned at the scaled size.
    PlanarImage body, dial, hand;
    std::vector<std::uint8_t> weight;
    for (std::uint8_t m : plain.hitMask) weight.push_back(m != 0 ? 255 : 0);
    ASSERT_TRUE(ResamplePicture(plain.layers[Body], weight.data(), w, h, body));
    ASSERT_TRUE(ResamplePicture(plain.layers[DialFrame0], nullptr, ScaleByDpi(9, dpi), ScaleByDpi(7, dpi), dial));
    ASSERT_TRUE(ResamplePicture(plain.layers[HourHand], nullptr, ScaleByDpi(7, dpi), ScaleByDpi(15, dpi), hand));
    PlanarImage expected = body;
    DrawUnturned(expected, dial, ScaleByDpi(5, dpi), ScaleByDpi(3, dpi), 0, 0);
    SpanTable spans;
    DrawFreeAngle(expected, hand, ScaleByDpi(15, dpi), ScaleByDpi(11, dpi), ScaleByDpi(3, dpi),
                  ScaleByDpi(12, dpi), HourHandAngle(4, 10, 0), true, spans);
    EXPECT_EQ(clock.frame.red, expected.red) << "dpi " << dpi;
    EXPECT_EQ(clock.frame.green, expected.green) << "dpi " << dpi;
    EXPECT_EQ(clock.frame.blue, expected.blue) << "dpi " << dpi;

    // No key colour inside the scaled outline.
    for (std::size_t i = 0; i < body.red.size(); ++i) {
      if (clock.hitMask[i] == 0) continue;
      ASSERT_FALSE(body.red[i] == 255 && body.green[i] == 0 && body.blue[i] == 255) << i;
    }
  }
}

TEST(SkinScaling, ScalesAlwaysFromTheLoadedSkinAndComeBackExactly) {
  ClockState once = MakeClock();
  ClockState twice = MakeClock();
  ClockState plain = MakeClock();
  WindowShape shape;
  ASSERT_TRUE(once.ChangeDisplayDpi(192, shape));
  ASSERT_TRUE(twice.ChangeDisplayDpi(144, shape));
  ASSERT_TRUE(twice.ChangeDisplayDpi(192, shape));  // 144 -> 192: not a copy of a copy
  once.ComposeFrame();
  twice.ComposeFrame();
  EXPECT_EQ(once.frame.red, twice.frame.red);
  EXPECT_EQ(once.frame.blue, twice.frame.blue);

  // Back at 96 dpi: the loaded pictures, frame and outline, byte for byte.
  ASSERT_TRUE(twice.ChangeDisplayDpi(50, shape));  // clamped to 96
  EXPECT_EQ(twice.DrawDpi(), kBaseDpi);
  EXPECT_EQ(twice.hitMask, plain.hitMask);
  twice.ComposeFrame();
  plain.ComposeFrame();
  EXPECT_EQ(twice.frame.width, 30);
  EXPECT_EQ(twice.frame.red, plain.frame.red);
  EXPECT_EQ(twice.frame.green, plain.frame.green);
  EXPECT_EQ(twice.layers[HourHand].mask, plain.layers[HourHand].mask);
}

// A window that could not take its shape is hit-tested as its full rectangle,
// at any scale, until the next change; the outline as loaded is never lost.
TEST(SkinScaling, AFailedWindowShapeKeepsTheLoadedOutline) {
  ClockState clock = MakeClock();
  const std::vector<std::uint8_t> outline = clock.hitMask;
  WindowShape shape;
  for (int dpi : {kBaseDpi, 144, 192}) {
    ASSERT_TRUE(clock.ChangeDisplayDpi(dpi, shape));
    clock.UseFullWindowOutline();
    EXPECT_TRUE(std::all_of(clock.hitMask.begin(), clock.hitMask.end(), [](std::uint8_t m) { return m == 1; }));
    ASSERT_TRUE(clock.ChangeDisplayDpi(dpi, shape));  // the same scale: the outline again
    const int w = ScaleByDpi(30, dpi), h = ScaleByDpi(24, dpi);
    EXPECT_EQ(clock.hitMask, ScaleCoverage(outline, 30, 24, w, h)) << dpi;
    EXPECT_EQ(shape.runs.size(), ShapeFromMask(clock.hitMask, w, h).runs.size()) << dpi;
    clock.UseFullWindowOutline();
  }
  ASSERT_TRUE(clock.ChangeDisplayDpi(kBaseDpi, shape));
  EXPECT_EQ(clock.hitMask, outline);
}

TEST(SkinScaling, RedrawingKeepsTheDialAnimationWhereItWas) {
  ClockState clock = MakeClock();
  clock.animating = true;
  clock.animationFrame = 0;
  clock.ComposeFrame();  // dial frame 1 of 2
  ASSERT_EQ(clock.animationFrame, 1);
  WindowShape shape;
  ASSERT_TRUE(clock.ChangeDisplayDpi(144, shape));
  clock.RedrawFrame();
  EXPECT_TRUE(clock.animating);
  EXPECT_EQ(clock.animationFrame, 1);
  // The solid second dial frame shows at its scaled place.
  const std::size_t at = At(clock.frame, ScaleByDpi(5, 144) + 1, ScaleByDpi(3, 144) + 1);
  EXPECT_EQ(clock.frame.red[at], 1);
  EXPECT_EQ(clock.frame.blue[at], 3);
}

}  // namespace
