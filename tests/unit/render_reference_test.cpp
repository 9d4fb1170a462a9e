// The optimised renderer against the plain one, bit for bit, on many random
// layers, placements, angles and times.
#include <gtest/gtest.h>

#include <random>

#include "render/blend_row.h"
#include "render/hand_angles.h"
#include "render/layer_drawing.h"
#include "render/pixel_blend.h"
#include "render_reference.h"
#include "render_test_support.h"

namespace {

TEST(Div255, IsExactForEveryBlendSum) {
  for (std::uint32_t x = 0; x <= 255u * 255u; ++x) ASSERT_EQ(Div255(x), x / 255) << x;
}

TEST(BlendRow, MatchesBlendingEveryPixel) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    const int n = std::uniform_int_distribution<int>(0, 70)(rng);
    PlanarImage src = render_test::Random(rng, n + 1, 1, true, false);
    PlanarImage dst = render_test::Random(rng, n + 1, 1, false, false);
    PlanarImage expected = dst;
    for (int i = 0; i < n; ++i) {
      const int m = src.mask[static_cast<std::size_t>(i)];
      expected.red[i] = static_cast<std::uint8_t>(reference::Blend(src.red[i], dst.red[i], m));
      expected.green[i] =
          static_cast<std::uint8_t>(reference::Blend(src.green[i], dst.green[i], m));
      expected.blue[i] = static_cast<std::uint8_t>(reference::Blend(src.blue[i], dst.blue[i], m));
    }
    BlendRow({dst.red.data(), dst.green.data(), dst.blue.data()},
             {src.red.data(), src.green.data(), src.blue.data()}, src.mask.data(), n);
    ASSERT_EQ(dst.red, expected.red);
    ASSERT_EQ(dst.green, expected.green);
    ASSERT_EQ(dst.blue, expected.blue);
  }
}

float RandomAngle(std::mt19937& rng) {
  switch (std::uniform_int_distribution<int>(0, 5)(rng)) {
    case 0: return 90.0f * static_cast<float>(std::uniform_int_distribution<int>(-2, 8)(rng));
    case 1:  // an hour-hand angle: multiples of 1/120 degree
      return HourHandAngle(std::uniform_int_distribution<int>(0, 23)(rng),
                           std::uniform_int_distribution<int>(0, 59)(rng),
                           std::uniform_int_distribution<int>(0, 59)(rng));
    default: return std::uniform_real_distribution<float>(-400.0f, 800.0f)(rng);
  }
}

TEST(TurnedDrawing, MatchesThePlainRendererOnRandomLayers) {
  std::mt19937 rng(2024);
  std::uniform_int_distribution<int> coin(0, 1);
  for (int round = 0; round < 1500; ++round) {
    const int fw = std::uniform_int_distribution<int>(1, 90)(rng);
    const int fh = std::uniform_int_distribution<int>(1, 90)(rng);
    const int lw = std::uniform_int_distribution<int>(1, 50)(rng);
    const int lh = std::uniform_int_distribution<int>(1, 70)(rng);
    const PlanarImage layer = render_test::Random(rng, lw, lh, round % 9 != 0, coin(rng) == 1);
    const PlanarImage start = render_test::Random(rng, fw, fh, false, false);
    const int x = std::uniform_int_distribution<int>(-40, fw + 40)(rng);
    const int y = std::uniform_int_distribution<int>(-40, fh + 40)(rng);
    const int px = std::uniform_int_distribution<int>(-5, lw + 5)(rng);
    const int py = std::uniform_int_distribution<int>(-5, lh + 5)(rng);
    const float angle = RandomAngle(rng);
    const bool antiAliasing = coin(rng) == 1;

    ClockState clock;
    clock.layers.assign(6, PlanarImage());
    clock.layers[HourHand] = layer;
    clock.frame = start;
    clock.settings.antiAliasing = antiAliasing;
    const bool drawn = clock.DrawLayerRotated(HourHand, x, y, px, py, 255, angle);

    PlanarImage expected = start;
    SpanTable table;
    const bool expectedDrawn = reference::DrawLayerRotated(expected, layer, x, y, px, py, angle,
                                                           antiAliasing, table);
    const auto where = ::testing::Message()
                       << "round " << round << " angle " << angle << " aa " << antiAliasing;
    ASSERT_EQ(drawn, expectedDrawn) << where;
    ASSERT_EQ(clock.frame.red, expected.red) << where;
    ASSERT_EQ(clock.frame.green, expected.green) << where;
    ASSERT_EQ(clock.frame.blue, expected.blue) << where;
  }
}

TEST(ComposeFrame, MatchesThePlainRendererAtRandomTimes) {
  std::mt19937 rng(99);
  std::uniform_int_distribution<int> coin(0, 1);
  for (int round = 0; round < 120; ++round) {
    const int w = std::uniform_int_distribution<int>(20, 120)(rng);
    const int h = std::uniform_int_distribution<int>(20, 120)(rng);
    const int dialFrames = std::uniform_int_distribution<int>(0, 4)(rng);
    ClockState clock;
    clock.layers.assign(static_cast<std::size_t>(6 + dialFrames), PlanarImage());
    clock.layers[Body] = render_test::Random(rng, w, h, false, false);
    clock.frame = render_test::Random(rng, w, h, false, false);
    auto picture = [&](int maxW, int maxH, bool hand) {
      PlanarImage p = render_test::Random(rng, std::uniform_int_distribution<int>(5, maxW)(rng),
                                          std::uniform_int_distribution<int>(5, maxH)(rng),
                                          hand || coin(rng) == 1, hand);
      p.pivotX = hand ? p.width / 2 : 0;
      p.pivotY = hand ? p.height - 6 : 0;
      return p;
    };
    for (int k = 0; k < dialFrames; ++k)
      clock.layers[static_cast<std::size_t>(DialFrame0 + k)] = picture(w, h, false);
    clock.layers[DialNumerals] = picture(w, h, false);
    clock.layers[HourHand] = picture(12, h / 2, true);
    clock.layers[MinuteHand] = picture(10, h * 2 / 3, true);
    clock.layers[SecondHand] = picture(6, h, true);
    clock.layers[Cover] = picture(16, 16, false);
    std::uniform_int_distribution<int> posX(-10, w + 10), posY(-10, h + 10);
    SkinSettings& s = clock.settings;
    s.animation = dialFrames;
    s.antiAliasing = coin(rng) == 1;
    s.dialPosX = posX(rng), s.dialPosY = posY(rng);
    s.dialNumPosX = posX(rng), s.dialNumPosY = posY(rng);
    s.axisPosX = posX(rng), s.axisPosY = posY(rng);
    s.coverPosX = posX(rng), s.coverPosY = posY(rng);
    clock.hour = std::uniform_int_distribution<int>(0, 23)(rng);
    clock.minute = std::uniform_int_distribution<int>(0, 59)(rng);
    clock.second = std::uniform_int_distribution<int>(0, 59)(rng);
    if (round % 10 == 0) clock.minute = clock.second = 0;  // quarter turns at 3, 6, 9, 12
    clock.animating = coin(rng) == 1;

    ClockState expected = clock;
    for (int tick = 0; tick < 3; ++tick) {
      clock.ComposeFrame();
      reference::ComposeFrame(expected);
      const auto where = ::testing::Message() << "round " << round << " tick " << tick;
      ASSERT_EQ(clock.frame.red, expected.frame.red) << where;
      ASSERT_EQ(clock.frame.green, expected.frame.green) << where;
      ASSERT_EQ(clock.frame.blue, expected.frame.blue) << where;
      ASSERT_EQ(clock.animating, expected.animating) << where;
      ASSERT_EQ(clock.animationFrame, expected.animationFrame) << where;
      clock.second = expected.second = (clock.second + 1) % 60;
    }
  }
}

}  // namespace
