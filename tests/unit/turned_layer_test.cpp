#include <gtest/gtest.h>

#include "render/layer_drawing.h"
#include "render/layer_samples.h"
#include "render/span_table.h"
#include "render_test_support.h"

namespace {

using render_test::At;
using render_test::Masked;
using render_test::Solid;

TEST(QuarterTurn, MovesWholePixelsAboutThePivot) {
  // 5 x 3 layer, pivot (1, 1); only the pixel right of the pivot is opaque.
  PlanarImage hand = Masked(5, 3, 0, 0, 0, 0, 1, 1);
  const std::size_t marked = At(hand, 2, 1);
  hand.mask[marked] = 255;
  hand.red[marked] = 77;
  struct Case {
    int quarter, x, y;
  };
  // One right of the pivot lands one below (90), one left (180), one above (270).
  const Case cases[] = {{1, 10, 11}, {2, 9, 10}, {3, 10, 9}};
  for (const Case& c : cases) {
    PlanarImage frame = Solid(20, 20, 5, 5, 5);
    DrawQuarterTurn(frame, hand, 10, 10, 1, 1, c.quarter);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x)
        EXPECT_EQ(frame.red[At(frame, x, y)], x == c.x && y == c.y ? 77 : 5)
            << "quarter " << c.quarter << " at " << x << "," << y;
  }
}

TEST(QuarterTurn, BlendsHardEdgedAndClipsAtTheFrame) {
  // A 4 x 2 layer with mask 100, pivot (0, 0), turned 90 degrees at the top-left
  // corner: layer column sx lands on frame row sx, layer row sy on column -sy.
  PlanarImage hand = Masked(4, 2, 255, 0, 0, 100);
  PlanarImage frame = Solid(3, 3, 0, 0, 0);
  DrawQuarterTurn(frame, hand, 0, 0, 0, 0, 1);
  const std::vector<std::uint8_t> red = {100, 0, 0, 100, 0, 0, 100, 0, 0};
  EXPECT_EQ(frame.red, red);
}

TEST(BuildSpans, FollowsTheWorkedThirtyDegreeExample) {
  const TurnedPoint top = RotatePoint(96, 44, 100, 100, 30);
  const TurnedPoint right = RotatePoint(104, 44, 100, 100, 30);
  const TurnedPoint bottom = RotatePoint(104, 107, 100, 100, 30);
  const TurnedPoint left = RotatePoint(96, 107, 100, 100, 30);
  EXPECT_NEAR(top.x, 124.54, 0.005);
  EXPECT_NEAR(top.y, 49.50, 0.005);
  EXPECT_NEAR(right.x, 131.46, 0.005);
  EXPECT_NEAR(right.y, 53.50, 0.005);
  EXPECT_NEAR(bottom.x, 99.96, 0.005);
  EXPECT_NEAR(bottom.y, 108.06, 0.005);
  EXPECT_NEAR(left.x, 93.04, 0.005);
  EXPECT_NEAR(left.y, 104.06, 0.005);

  SpanTable table;
  ASSERT_TRUE(table.BuildSpans(200, 200, 9, 64, 4, 56, 100, 100, 30.0f));
  EXPECT_TRUE(table.ownsSpans);
  EXPECT_EQ(table.firstRow, 49);
  EXPECT_EQ(table.lastRow, 108);
  ASSERT_GE(table.spans.size(), 60u);
  auto span = [&](int row) {
    const ColumnSpan s = table.spans[static_cast<std::size_t>(row - table.firstRow)];
    return std::make_pair(s.left, s.right);
  };
  EXPECT_EQ(span(49), std::make_pair(125, 123));
  EXPECT_EQ(span(50), std::make_pair(125, 124));
  EXPECT_EQ(span(51), std::make_pair(124, 126));
  EXPECT_EQ(span(107), std::make_pair(99, 100));
  EXPECT_EQ(span(108), std::make_pair(100, 99));
}

TEST(BuildSpans, DrawsNothingForQuarterTurnsAndFootprintsOffTheFrame) {
  SpanTable table;
  for (float angle : {0.0f, 90.0f, 180.0f, 270.0f, 360.0f, -90.0f})
    EXPECT_FALSE(table.BuildSpans(200, 200, 9, 64, 4, 56, 100, 100, angle)) << angle;
  EXPECT_FALSE(table.BuildSpans(200, 200, 9, 64, 4, 56, -100, 100, 30.0f));  // left
  EXPECT_FALSE(table.BuildSpans(200, 200, 9, 64, 4, 56, 300, 100, 30.0f));   // right
  EXPECT_FALSE(table.BuildSpans(200, 200, 9, 64, 4, 56, 100, -100, 30.0f));  // above
  EXPECT_FALSE(table.BuildSpans(200, 200, 9, 64, 4, 56, 100, 400, 30.0f));   // below
  EXPECT_FALSE(table.ownsSpans);
  // A footprint crossing the left edge starts where the outline meets it.
  // At x = -30 the top corner is at x -5.46: the top-right edge crosses x = 0 at
  // y 52.65, the right-bottom edge at y 56.04.
  ASSERT_TRUE(table.BuildSpans(200, 200, 9, 64, 4, 56, -30, 100, 30.0f));
  EXPECT_EQ(table.firstRow, 52);
  EXPECT_EQ(table.lastRow, 56);
  for (const ColumnSpan& s : table.spans) EXPECT_GE(s.left, 0);
}

// A 2 x 2 layer: red 10 20 / 30 40, dst red 200.
struct Sampling : ::testing::Test {
  PlanarImage layer = Masked(2, 2, 0, 0, 0, 255);
  std::uint8_t red = 200, green = 200, blue = 200;
  Sampling() { layer.red = {10, 20, 30, 40}; }
  int Bilinear(double u, double v) {
    red = 200;
    BlendBilinearSample(layer, {&red, &green, &blue}, u, v);
    return red;
  }
  int Nearest(double u, double v) {
    red = 200;
    BlendNearestSample(layer, {&red, &green, &blue}, u, v);
    return red;
  }
};

TEST_F(Sampling, BilinearWeighsColourByMaskAndBlendsByCoverage) {
  // Centre of four opaque pixels: C = 6375 / 255 = 25, coverage 255.
  EXPECT_EQ(Bilinear(0.5, 0.5), 25);
  // Only the top-left opaque: S = 63.75, coverage 63, colour 10:
  // (10 * 63 + 200 * 192) / 255 = 153.
  layer.mask = {255, 0, 0, 0};
  EXPECT_EQ(Bilinear(0.5, 0.5), 153);
  // On the pixel itself, the opaque neighbour has weight 0: S = 0, untouched.
  layer.mask = {0, 255, 0, 0};
  EXPECT_EQ(Bilinear(0.0, 0.0), 200);
  // Mask 128 and 255 at fx 0.25: S = 159.75, a = 159, C = trunc(2235 / 159.75) = 13,
  // out = (13 * 159 + 200 * 96) / 255 = 83.
  layer.mask = {128, 255, 0, 0};
  EXPECT_EQ(Bilinear(0.25, 0.0), 83);
  // All four masks 0: untouched.
  layer.mask = {0, 0, 0, 0};
  EXPECT_EQ(Bilinear(0.5, 0.5), 200);
}

TEST_F(Sampling, BilinearCountsOffGridSamplesAsTransparent) {
  // Column 2 is off the grid: S = 127.5 over weights summing to 1, so coverage
  // 127 and colour 20: (20 * 127 + 200 * 128) / 255 = 110.
  EXPECT_EQ(Bilinear(1.5, 0.0), 110);
  EXPECT_EQ(Bilinear(-3.5, 0.0), 200);
  EXPECT_EQ(Bilinear(0.0, 7.0), 200);
}

TEST_F(Sampling, NearestRoundsHalfUpAndTruncatesTowardZero) {
  layer.mask = {255, 128, 255, 0};
  EXPECT_EQ(Nearest(0.49, 0.2), 10);
  EXPECT_EQ(Nearest(0.5, 0.2), (20 * 128 + 200 * 127) / 255);
  EXPECT_EQ(Nearest(0.0, 0.5), 30);
  EXPECT_EQ(Nearest(1.0, 1.0), 200);  // mask 0
  EXPECT_EQ(Nearest(-0.6, 0.0), 10);  // -0.1 truncates to column 0
  EXPECT_EQ(Nearest(-1.6, 0.0), 200);  // column -1 is off the grid
  EXPECT_EQ(Nearest(1.5, 0.0), 200);   // column 2 too
}

TEST(FreeAngle, LeavesTheBottomRowsOfTheFootprintUndrawn) {
  // An opaque hand: every pixel inside the spans is painted unless it is left out.
  PlanarImage hand = Masked(9, 64, 255, 255, 255, 255, 4, 56);
  for (bool antiAliasing : {true, false}) {
    PlanarImage frame = Solid(200, 200, 0, 0, 0);
    SpanTable table;
    DrawFreeAngle(frame, hand, 100, 100, 4, 56, 30.0f, antiAliasing, table);
    ASSERT_EQ(table.lastRow, 108);
    auto rowPainted = [&](int y) {
      for (int x = 0; x < 200; ++x)
        if (frame.red[At(frame, x, y)] != 0) return true;
      return false;
    };
    EXPECT_FALSE(rowPainted(48));
    EXPECT_TRUE(rowPainted(51));
    EXPECT_TRUE(rowPainted(106));
    EXPECT_EQ(rowPainted(107), antiAliasing);
    EXPECT_FALSE(rowPainted(108));
    EXPECT_FALSE(rowPainted(109));
  }
}

}  // namespace
