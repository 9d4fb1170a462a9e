#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "render/hand_angles.h"
#include "render/span_table.h"
#include "render_test_support.h"
#include "render/clock_state.h"

namespace {

using render_test::At;
using render_test::Masked;
using render_test::Solid;

// A clock with a grey w x h body and `dialFrames` dial frames; other layers empty.
ClockState MakeClock(int w, int h, int dialFrames = 0) {
  ClockState clock;
  clock.layers.resize(static_cast<std::size_t>(6 + dialFrames));
  clock.hasLayers = true;
  clock.layers[Body] = Solid(w, h, 50, 60, 70);
  clock.frame = Solid(w, h, 0, 0, 0);
  clock.settings.animation = dialFrames;
  clock.hour = clock.minute = clock.second = 0;
  return clock;
}

std::uint8_t RedAt(const ClockState& clock, int x, int y) {
  return clock.frame.red[At(clock.frame, x, y)];
}

TEST(ComposeFrame, LaysTheLayersInTheirOrder) {
  ClockState clock = MakeClock(6, 6, 1);
  // Every layer covers pixel (2, 2) opaquely with its own red value.
  clock.layers[DialFrame0] = Solid(3, 3, 106, 0, 0, 1, 1);
  clock.layers[DialNumerals] = Solid(3, 3, 104, 0, 0);
  clock.layers[HourHand] = Masked(3, 3, 103, 0, 0, 255, 1, 1);
  clock.layers[MinuteHand] = Masked(3, 3, 102, 0, 0, 255, 1, 1);
  clock.layers[SecondHand] = Masked(3, 3, 101, 0, 0, 255, 1, 1);
  clock.layers[Cover] = Solid(1, 1, 105, 0, 0);
  clock.settings.dialPosX = clock.settings.dialPosY = 2;
  clock.settings.dialNumPosX = clock.settings.dialNumPosY = 1;
  clock.settings.axisPosX = clock.settings.axisPosY = 2;
  clock.settings.coverPosX = clock.settings.coverPosY = 2;

  const int expected[] = {105, 101, 102, 103, 104, 106, 50};
  const int order[] = {Cover, SecondHand, MinuteHand, HourHand, DialNumerals, DialFrame0};
  for (int k = 0; k < 7; ++k) {
    clock.frame.red.assign(clock.frame.red.size(), 0);
    clock.ComposeFrame();
    EXPECT_EQ(RedAt(clock, 2, 2), expected[k]) << "with the top " << k << " layers removed";
    if (k < 6) clock.layers[static_cast<std::size_t>(order[k])].Clear();
  }
  EXPECT_EQ(clock.frame.green[At(clock.frame, 5, 5)], 60);  // the body, byte for byte
  EXPECT_EQ(clock.frame.blue[At(clock.frame, 0, 0)], 70);
}

TEST(ComposeFrame, BlendsThroughTheMaskAndCopiesUnmaskedLayers) {
  ClockState clock = MakeClock(4, 1);
  clock.layers[Body] = Solid(4, 1, 0, 200, 10);
  PlanarImage numerals = Masked(4, 1, 255, 0, 100, 0);
  numerals.mask = {0, 128, 255, 1};
  clock.layers[DialNumerals] = numerals;
  clock.ComposeFrame();
  EXPECT_EQ(RedAt(clock, 0, 0), 0);  // mask 0 leaves the frame
  EXPECT_EQ(clock.frame.green[0], 200);
  EXPECT_EQ(RedAt(clock, 1, 0), 128);  // (255 * 128 + 0) / 255
  EXPECT_EQ(clock.frame.green[1], 99);  // (0 + 200 * 127) / 255 truncated
  EXPECT_EQ(clock.frame.blue[1], 55);   // (100 * 128 + 10 * 127) / 255 = 55.17
  EXPECT_EQ(RedAt(clock, 2, 0), 255);  // mask 255 replaces
  EXPECT_EQ(clock.frame.green[2], 0);
  EXPECT_EQ(RedAt(clock, 3, 0), 1);  // 255 / 255

  clock.layers[DialNumerals].hasMask = false;
  clock.ComposeFrame();
  for (int x = 0; x < 4; ++x) EXPECT_EQ(RedAt(clock, x, 0), 255);
}

TEST(ComposeFrame, ClipsLayersToTheFrameOnEverySide) {
  ClockState clock = MakeClock(5, 4);
  clock.layers[Body] = Solid(5, 4, 0, 0, 0);
  PlanarImage cover = Solid(3, 3, 0, 0, 0);
  cover.red = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  clock.layers[Cover] = cover;
  struct Case {
    int x, y;
    std::vector<int> red;  // the frame's red plane, row by row
  };
  const Case cases[] = {
      {-1, -2, {8, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {3, 2, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 0, 0, 0, 4, 5}},
      {-3, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {5, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {0, 4, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {2, -1, {0, 0, 4, 5, 6, 0, 0, 7, 8, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    clock.settings.coverPosX = c.x, clock.settings.coverPosY = c.y;
    clock.ComposeFrame();
    EXPECT_EQ(std::vector<int>(clock.frame.red.begin(), clock.frame.red.end()), c.red)
        << "cover at " << c.x << "," << c.y;
  }
  // The pivot is placed on the point: pivot (2, 2) at (1, 1) puts pixel 0 at (-1, -1).
  clock.layers[Cover].pivotX = clock.layers[Cover].pivotY = 2;
  clock.settings.coverPosX = clock.settings.coverPosY = 1;
  clock.ComposeFrame();
  EXPECT_EQ(RedAt(clock, 0, 0), 5);
  EXPECT_EQ(RedAt(clock, 1, 1), 9);
}

TEST(ComposeFrame, DialAnimationShowsFramesOneToNMinusOneThenRests) {
  ClockState clock = MakeClock(2, 2, 3);
  for (int k = 0; k < 3; ++k)
    clock.layers[static_cast<std::size_t>(DialFrame0 + k)] =
        Solid(1, 1, static_cast<std::uint8_t>(10 + k), 0, 0);
  clock.ComposeFrame();
  EXPECT_EQ(RedAt(clock, 0, 0), 10);  // resting dial

  clock.animating = true, clock.animationFrame = 0;  // as the scheduler starts a run
  const int shown[] = {11, 12, 10};
  for (int k = 0; k < 3; ++k) {
    EXPECT_TRUE(clock.animating);
    clock.ComposeFrame();
    EXPECT_EQ(RedAt(clock, 0, 0), shown[k]);
  }
  EXPECT_FALSE(clock.animating);
  EXPECT_EQ(clock.animationFrame, 0);

  // A dial frame the skin did not provide shows no dial for that composition.
  clock.layers[DialFrame0 + 1].Clear();
  clock.animating = true;
  clock.ComposeFrame();
  EXPECT_EQ(RedAt(clock, 0, 0), 50);
}

TEST(ComposeFrame, OneOrNoDialFrameNeitherAdvancesNorEndsARun) {
  for (int n = 0; n <= 1; ++n) {
    ClockState clock = MakeClock(2, 2, n);
    if (n == 1) clock.layers[DialFrame0] = Solid(1, 1, 99, 0, 0);
    clock.animating = true, clock.animationFrame = 0;
    clock.ComposeFrame();
    clock.ComposeFrame();
    EXPECT_TRUE(clock.animating);
    EXPECT_EQ(clock.animationFrame, 0);
    EXPECT_EQ(RedAt(clock, 0, 0), n == 1 ? 99 : 50);
  }
}

TEST(HandAngles, UseSingleOperandsDoubleArithmeticAndOneRounding) {
  EXPECT_EQ(HourHandAngle(13, 0, 0), 390.0f);
  EXPECT_EQ(ReduceAngle(HourHandAngle(13, 0, 0)), 30.0f);
  EXPECT_EQ(HourHandAngle(10, 20, 30), 310.25f);
  EXPECT_EQ(MinuteHandAngle(20), 120.0f);
  EXPECT_EQ(SecondHandAngle(30), 180.0f);
  // 23:59:59: just under 720, the float nearest 719.99164.
  const float late = HourHandAngle(23, 59, 59);
  EXPECT_EQ(late, 719.9916381835938f);
  EXPECT_EQ(ReduceAngle(late), 359.9916381835938f);
  // One second past midnight: 6 * c60 * c12 in double, then rounded.
  EXPECT_EQ(HourHandAngle(0, 0, 1), 0.008333333767950535f);
  EXPECT_EQ(HourHandAngle(0, 0, 0), 0.0f);
  EXPECT_EQ(HourHandAngle(3, 0, 0), 90.0f);
}

TEST(HandAngles, ReductionBringsAnyAngleIntoRange) {
  EXPECT_EQ(ReduceAngle(-30.0f), 330.0f);
  EXPECT_EQ(ReduceAngle(-720.0f), 0.0f);
  EXPECT_EQ(ReduceAngle(720.0f), 0.0f);
  EXPECT_EQ(ReduceAngle(359.5f), 359.5f);
  // -1e-6 + 360 rounds to 360 as a float, which the second loop takes back to 0.
  EXPECT_EQ(ReduceAngle(-1e-6f), 0.0f);
  // Angles no clock produces still come back (and quickly).
  EXPECT_EQ(ReduceAngle(INFINITY), 0.0f);
  EXPECT_EQ(ReduceAngle(NAN), 0.0f);
  const float far = ReduceAngle(1e30f);
  EXPECT_GE(far, 0.0f);
  EXPECT_LT(far, 360.0f);
}

TEST(DrawLayerRotated, TurnedLayersNeedAMaskUnturnedOnesAreCopied) {
  ClockState clock = MakeClock(8, 8);
  clock.ComposeFrame();
  clock.layers[HourHand] = Solid(3, 3, 200, 0, 0, 1, 1);
  EXPECT_FALSE(clock.DrawLayerRotated(HourHand, 4, 4, 1, 1, 255, 45.0f));
  EXPECT_FALSE(clock.DrawLayerRotated(HourHand, 4, 4, 1, 1, 255, 90.0f));
  for (std::uint8_t v : clock.frame.red) EXPECT_EQ(v, 50);
  EXPECT_TRUE(clock.DrawLayerRotated(HourHand, 4, 4, 1, 1, 255, 360.0f));
  EXPECT_EQ(RedAt(clock, 3, 3), 200);
  EXPECT_EQ(RedAt(clock, 5, 5), 200);
  // Opacity 0 draws nothing; an index outside the table names no picture.
  EXPECT_TRUE(clock.DrawLayerRotated(Cover, 0, 0, 0, 0, 0, 0.0f));
  EXPECT_TRUE(clock.DrawLayerRotated(99, 0, 0, 0, 0, 255, 0.0f));
  EXPECT_TRUE(clock.DrawLayer(-1, 0, 0, 255));
  EXPECT_EQ(RedAt(clock, 0, 0), 50);
}

TEST(ComposeFrame, ToleratesAMissingTable) {
  ClockState clock;
  clock.ComposeFrame();  // no skin yet: nothing to draw, nothing to crash on
  EXPECT_TRUE(clock.frame.red.empty());
}

}  // namespace
