// The window's alpha: 0/255 from the colour key as loaded, the exact covered
// area at a display scale (against a brute-force count of sub-cells), the hit
// mask and window outlines that follow it, and the premultiplied rows the
// window shows, byte for byte today's visible pixels at 100 %.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "render/clock_state.h"
#include "render/colour_effects.h"
#include "skin/display_scale.h"
#include "skin/skin_scaling.h"
#include "skin/skin_loader.h"
#include "skin_fixture.h"
#include "test_host.h"

namespace {

// Both grids cut into w * outW by h * outH cells: a source pixel is outW x
// outH cells, an output pixel w x h. Alpha = the mean over an output pixel's
// cells, rounded half up.
std::vector<std::uint8_t> CellCountAlpha(const std::vector<std::uint8_t>& alpha, int w, int h, int outW, int outH) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(outW) * outH);
  const long long cells = static_cast<long long>(w) * h;
  for (int y = 0; y < outH; ++y) {
    for (int x = 0; x < outW; ++x) {
      long long sum = 0;
      for (long long cy = static_cast<long long>(y) * h; cy < static_cast<long long>(y + 1) * h; ++cy) {
        for (long long cx = static_cast<long long>(x) * w; cx < static_cast<long long>(x + 1) * w; ++cx) {
          sum += alpha[static_cast<std::size_t>(cy / outH * w + cx / outW)];
        }
      }
      out[static_cast<std::size_t>(y) * outW + x] = static_cast<std::uint8_t>((2 * sum + cells) / (2 * cells));
    }
  }
  return out;
}

std::vector<std::uint8_t> RoundOutline(int w, int h) {
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double dx = (x + 0.5 - w / 2.0) / (w / 2.0), dy = (y + 0.5 - h / 2.0) / (h / 2.0);
      mask[static_cast<std::size_t>(y) * w + x] = dx * dx + dy * dy <= 1 ? 1 : 0;
    }
  return mask;
}

TEST(WindowAlpha, ScaledOutlineIsTheExactCoveredAreaAndHitMaskIsItsUpperHalf) {
  std::mt19937 rng(1525);
  std::uniform_int_distribution<int> side(1, 23), bit(0, 1), byte(0, 255);
  struct Case {
    std::vector<std::uint8_t> outline;
    int w, h;
  };
  std::vector<Case> cases = {{RoundOutline(40, 40), 40, 40}, {RoundOutline(33, 21), 33, 21}};
  for (int i = 0; i < 12; ++i) {
    const int w = side(rng), h = side(rng);
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(w) * h);
    for (auto& m : mask) m = static_cast<std::uint8_t>(bit(rng));
    cases.push_back({mask, w, h});
  }
  for (const Case& c : cases) {
    const std::vector<std::uint8_t> alpha = AlphaFromOutline(c.outline);
    for (std::size_t k = 0; k < alpha.size(); ++k) ASSERT_EQ(alpha[k], c.outline[k] ? 255 : 0);
    for (int dpi : {120, 144, 192, 200}) {
      const int outW = ScaleByDpi(c.w, dpi), outH = ScaleByDpi(c.h, dpi);
      const std::vector<std::uint8_t> scaled = ScaleAlpha(alpha, c.w, c.h, outW, outH);
      ASSERT_EQ(scaled, CellCountAlpha(alpha, c.w, c.h, outW, outH)) << c.w << "x" << c.h << " at " << dpi;
      // The hit mask's half-covered rule is exactly alpha >= 128.
      const std::vector<std::uint8_t> hit = ScaleCoverage(c.outline, c.w, c.h, outW, outH);
      for (std::size_t k = 0; k < hit.size(); ++k) ASSERT_EQ(hit[k], scaled[k] >= 128 ? 1 : 0) << k;
    }
  }
  // At 2 a pixel is a quarter of a source pixel: 0 or 255 only; a pure
  // outline at 1.5 has rims of 0, 128 (half), 64 (a quarter) and 191.
  const std::vector<std::uint8_t> twice = ScaleAlpha(AlphaFromOutline(RoundOutline(40, 40)), 40, 40, 80, 80);
  EXPECT_TRUE(std::all_of(twice.begin(), twice.end(), [](std::uint8_t a) { return a == 0 || a == 255; }));
  EXPECT_EQ(ScaleAlpha({255, 0, 0, 0}, 2, 2, 3, 3), (std::vector<std::uint8_t>{255, 128, 0, 128, 64, 0, 0, 0, 0}));
  // An alpha plane of any values averages by area too.
  std::vector<std::uint8_t> plane(17 * 9);
  for (auto& a : plane) a = static_cast<std::uint8_t>(byte(rng));
  EXPECT_EQ(ScaleAlpha(plane, 17, 9, 26, 14), CellCountAlpha(plane, 17, 9, 26, 14));
}

// A keyed round body (magenta outside) with a cover, loaded the program's way.
void WriteRoundSkin(const skintest::SkinFolder& folder, int side) {
  std::mt19937 rng(7);
  const std::vector<std::uint8_t> round = RoundOutline(side, side);
  std::vector<std::uint32_t> body(round.size());
  for (std::size_t k = 0; k < body.size(); ++k) body[k] = round[k] ? (rng() & 0xFFFFFF) | 0x010000 : 0xFF00FF;
  for (std::uint32_t& p : body) {
    if (p != 0xFF00FF && (p & 0xFFFFFF) == 0xFF00FF) p ^= 1;  // no key colour inside by chance
  }
  folder.WriteBmp("body.bmp", side, side, body);
  folder.WriteSolidBmp("cover.bmp", 6, 6, 0x20A040);
  folder.WriteText("round.HRL", "[Initialize]\r\nTransparentColor=16711935\r\nAxisPosX=" + std::to_string(side / 2) +
                                    "\r\nAxisPosY=" + std::to_string(side / 2) +
                                    "\r\n[Body]\r\nGraph=body.bmp\r\n[Cover]\r\nGraph=cover.bmp\r\n");
}

TEST(WindowAlpha, KeyedSkinShowsTodaysPixelsAt100AndSoftEdgesAtAScale) {
  skintest::MessageLog log;
  skintest::SkinFolder folder;
  const int side = 37;
  WriteRoundSkin(folder, side);
  for (bool soft : {false, true}) {
    ClockState clock;
    clock.softEdges = soft;
    clock.skinDirectory = folder.dir;
    clock.skinPath = folder.Path("round.HRL");
    WindowShape shape;
    ASSERT_TRUE(clock.LoadSkinData(shape));
    const std::vector<std::uint8_t> outline = clock.hitMask;
    clock.ComposeFrame();

    // 100 %: alpha 0 or 255, 255 exactly inside the outline; every pixel of
    // alpha 255 is today's pixel, every other is 0; the window's outline is
    // the region of today whether or not it shows soft edges.
    ASSERT_EQ(clock.frameAlpha, AlphaFromOutline(outline));
    EXPECT_EQ(shape.runs.size(), ShapeFromMask(outline, side, side).runs.size());
    for (int effect = Normal; effect <= Emboss; ++effect) {
      std::vector<std::uint32_t> today, shown;
      ASSERT_TRUE(RenderPresentation(clock.frame, effect, today));
      ASSERT_TRUE(RenderPremultipliedPresentation(clock.frame, clock.frameAlpha, effect, shown));
      for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
          const std::size_t row = static_cast<std::size_t>(side - 1 - y) * side + x;
          const bool inside = outline[static_cast<std::size_t>(y) * side + x] != 0;
          ASSERT_EQ(shown[row], inside ? today[row] | 0xFF000000u : 0u) << effect << " " << x << "," << y;
        }
    }

    // 1.5 and 2: the exact coverage of the loaded outline; hit tests where
    // alpha >= 128; the window cut to every pixel with alpha when it shows
    // soft edges, to the hit mask when it does not.
    for (int dpi : {144, 192}) {
      ASSERT_TRUE(clock.ChangeDisplayDpi(dpi, shape));
      const int w = ScaleByDpi(side, dpi);
      ASSERT_EQ(clock.frame.width, w);
      const std::vector<std::uint8_t> expected = CellCountAlpha(AlphaFromOutline(outline), side, side, w, w);
      ASSERT_EQ(clock.frameAlpha, expected) << dpi;
      for (std::size_t k = 0; k < expected.size(); ++k) ASSERT_EQ(clock.hitMask[k], expected[k] >= 128 ? 1 : 0);
      const WindowShape want = ShapeFromAlpha(expected, w, w, soft ? 1 : 128);
      ASSERT_EQ(shape.runs.size(), want.runs.size()) << dpi;
      for (std::size_t r = 0; r < want.runs.size(); ++r) {
        EXPECT_EQ(shape.runs[r].y, want.runs[r].y);
        EXPECT_EQ(shape.runs[r].x0, want.runs[r].x0);
        EXPECT_EQ(shape.runs[r].x1, want.runs[r].x1);
      }
      if (dpi == 144) {
        EXPECT_TRUE(std::any_of(expected.begin(), expected.end(), [](std::uint8_t a) { return a > 0 && a < 255; }));
      }
      // A window that cannot take its shape widens the hit mask, not the alpha.
      clock.UseFullWindowOutline();
      EXPECT_EQ(clock.frameAlpha, expected);
    }
    ASSERT_TRUE(clock.ChangeDisplayDpi(kBaseDpi, shape));
    EXPECT_EQ(clock.frameAlpha, AlphaFromOutline(outline));
    EXPECT_EQ(clock.hitMask, outline);
  }
  EXPECT_TRUE(log.messages.empty());
}

}  // namespace

// A body with its own alpha (the guide's soft example): the window shows that
// alpha as drawn at 100 %, its exact covered area at a scale, and hit tests
// where it is at least one half.
TEST(WindowAlpha, ABodysOwnAlphaIsTheWindowsAlphaAtEveryScale) {
  skintest::MessageLog log;
  const std::string s(1, testing_support::kPathSeparator);
  const std::string folder = testing_support::SourceTree() + s + "docs" + s + "examples" + s + "soft" + s;
  SkinContent content;
  ASSERT_TRUE(LoadSkinContent(folder + "Soft.HRL", folder, content));
  const std::vector<std::uint8_t> own(content.pictures.bodyAlpha.begin(), content.pictures.bodyAlpha.end());
  const int side = content.hitMaskWidth;
  ASSERT_EQ(own.size(), static_cast<std::size_t>(side) * side);
  ASSERT_TRUE(std::any_of(own.begin(), own.end(), [](std::uint8_t a) { return a > 0 && a < 128; }));

  ClockState clock;
  clock.softEdges = true;
  clock.skinDirectory = folder;
  clock.skinPath = folder + "Soft.HRL";
  WindowShape shape;
  ASSERT_TRUE(clock.LoadSkinData(shape));
  EXPECT_EQ(clock.frameAlpha, own);
  for (std::size_t k = 0; k < own.size(); ++k) ASSERT_EQ(clock.hitMask[k], own[k] >= 128 ? 1 : 0) << k;
  ASSERT_TRUE(clock.ChangeDisplayDpi(144, shape));
  const int w = ScaleByDpi(side, 144);
  EXPECT_EQ(clock.frameAlpha, CellCountAlpha(own, side, side, w, w));
  ASSERT_TRUE(clock.ChangeDisplayDpi(kBaseDpi, shape));
  EXPECT_EQ(clock.frameAlpha, own);
  EXPECT_TRUE(log.messages.empty());
}
