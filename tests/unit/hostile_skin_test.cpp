// Skins with hostile numbers, loaded from files and drawn at 100, 150, 200 and
// 500 %: positions and pivots anywhere in the int range, against a plain
// reference of where each layer lands (the clamp rule of skin/display_scale.h,
// then the one rounding rule, in 64 bits).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "render/clock_state.h"
#include "skin/display_scale.h"
#include "skin/layer_table.h"
#include "skin_fixture.h"

namespace {

using skintest::MessageLog;
using skintest::SkinFolder;

const int kDpis[] = {96, 144, 192, 480};

const std::int64_t kHostile[] = {0,          7,           -7,          39,          -33,
                                 8191,       -8192,       16777216,    16777217,    -16777217,
                                 858993460,  1073741824,  2147483647,  -2147483647 - 1};

// 96-dpi length `v` at `dpi`, half away from zero, in 64 bits.
std::int64_t Scaled(std::int64_t v, int dpi) {
  const std::int64_t s = v * dpi;
  return s >= 0 ? (s + 48) / 96 : -((-s + 48) / 96);
}

std::int64_t ClampRule(std::int64_t v) { return std::min<std::int64_t>(std::max<std::int64_t>(v, -(1 << 24)), 1 << 24); }

struct Rect {
  std::int64_t left, top, right, bottom;
  std::uint32_t colour;
};

std::uint32_t Colour(const PlanarImage& frame, std::size_t i) {
  return (std::uint32_t{frame.red[i]} << 16) | (std::uint32_t{frame.green[i]} << 8) | frame.blue[i];
}

TEST(HostileSkin, LayersLandWhereThePlainRuleSaysAtEveryScale) {
  SkinFolder folder;
  MessageLog log;
  folder.WriteSolidBmp("body.bmp", 40, 30, 0x101010);
  folder.WriteSolidBmp("num.bmp", 9, 6, 0xFF0000);
  folder.WriteSolidBmp("cover.bmp", 7, 5, 0x00FF00);
  folder.WriteSolidBmp("hand.bmp", 8, 12, 0x0000FF);
  std::mt19937 rng(23);
  auto pick = [&] { return kHostile[rng() % (sizeof kHostile / sizeof kHostile[0])]; };
  for (int round = 0; round < 6; ++round) {
    std::int64_t v[8];
    for (std::int64_t& x : v) x = pick();
    if (round == 0) v[0] = 858993460, v[1] = 3;  // numerals far right: hidden at every scale
    if (round == 1) v[4] = v[5] = 2147483647;     // pivot at the largest int
    const std::string text =
        "[Initialize]\r\nDialNumPosX=" + std::to_string(v[0]) + "\r\nDialNumPosY=" + std::to_string(v[1]) +
        "\r\nCoverPosX=" + std::to_string(v[2]) + "\r\nCoverPosY=" + std::to_string(v[3]) +
        "\r\nAxisPosX=" + std::to_string(v[6]) + "\r\nAxisPosY=" + std::to_string(v[7]) +
        "\r\n[Body]\r\nGraph=body.bmp\r\n[Dial]\r\nNumchar=num.bmp\r\n[Cover]\r\nGraph=cover.bmp\r\n"
        "[HourHand]\r\nGraph=hand.bmp\r\nAxisX=" + std::to_string(v[4]) + "\r\nAxisY=" + std::to_string(v[5]) + "\r\n";
    folder.WriteText("skin.HRL", text);
    for (int dpi : kDpis) {
      ClockState clock;
      clock.skinDirectory = folder.dir;
      clock.skinPath = folder.Path("skin.HRL");
      clock.displayDpi = dpi;
      clock.hour = clock.minute = clock.second = 0;  // every hand upright: drawn unturned
      WindowShape shape;
      ASSERT_TRUE(clock.LoadSkinData(shape)) << text;
      ASSERT_EQ(clock.DrawDpi(), dpi);
      clock.ComposeFrame();
      const PlanarImage& frame = clock.frame;
      ASSERT_EQ(frame.width, Scaled(40, dpi));

      // In order of drawing; the hand's picture has a 2-pixel clear border.
      const std::int64_t handX = Scaled(ClampRule(v[6]), dpi) - Scaled(ClampRule(v[4]) + 2, dpi);
      const std::int64_t handY = Scaled(ClampRule(v[7]), dpi) - Scaled(ClampRule(v[5]) + 2, dpi);
      const std::int64_t numX = Scaled(ClampRule(v[0]), dpi), numY = Scaled(ClampRule(v[1]), dpi);
      const std::int64_t coverX = Scaled(ClampRule(v[2]), dpi), coverY = Scaled(ClampRule(v[3]), dpi);
      const Rect rects[] = {
          {numX, numY, numX + Scaled(9, dpi), numY + Scaled(6, dpi), 0xFF0000},
          {handX + Scaled(2, dpi), handY + Scaled(2, dpi), handX + Scaled(10, dpi), handY + Scaled(14, dpi), 0x0000FF},
          {coverX, coverY, coverX + Scaled(7, dpi), coverY + Scaled(5, dpi), 0x00FF00},
      };
      // The hand's edges are soft when scaled: only its inside and what lies
      // clear of it are certain.
      const std::int64_t soft = dpi == 96 ? 0 : 3 * dpi / 96;
      for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
          std::uint32_t want = 0x101010;
          bool certain = true;
          for (int k = 0; k < 3; ++k) {
            const Rect& r = rects[k];
            const std::int64_t m = k == 1 ? soft : 0;
            if (x >= r.left + m && x < r.right - m && y >= r.top + m && y < r.bottom - m) {
              want = r.colour, certain = true;
            } else if (x >= r.left - m && x < r.right + m && y >= r.top - m && y < r.bottom + m) {
              certain = false;
            }
          }
          if (!certain) continue;
          const std::size_t i = static_cast<std::size_t>(y) * frame.width + x;
          ASSERT_EQ(Colour(frame, i), want) << "dpi " << dpi << " at " << x << "," << y << "\n" << text;
        }
      }
    }
  }
  EXPECT_TRUE(log.messages.empty());
}

}  // namespace
