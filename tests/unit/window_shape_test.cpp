#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "skin/window_shape.h"

namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;

platform::BitmapPixels Body(int width, int height, std::uint32_t fill) {
  platform::BitmapPixels body;
  body.width = width;
  body.height = height;
  body.pixels.assign(static_cast<std::size_t>(width) * height, fill);
  return body;
}

void Set(platform::BitmapPixels& body, int x, int y, std::uint32_t colour) {
  body.pixels[static_cast<std::size_t>(y) * body.width + x] = colour;
}

// Every pixel the runs cover, as a width x height grid.
std::vector<std::uint8_t> Covered(const WindowShape& shape) {
  std::vector<std::uint8_t> grid(static_cast<std::size_t>(shape.width) * shape.height, 0);
  for (const ShapeRun& run : shape.runs) {
    for (int x = run.x0; x < run.x1; ++x) grid[static_cast<std::size_t>(run.y) * shape.width + x]++;
  }
  return grid;
}

std::vector<std::uint8_t> Covered(const std::vector<ShapeRect>& rects, int width, int height) {
  std::vector<std::uint8_t> grid(static_cast<std::size_t>(width) * height, 0);
  for (const ShapeRect& r : rects) {
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) grid[static_cast<std::size_t>(y) * width + x]++;
    }
  }
  return grid;
}

TEST(WindowShape, RectangleIsTheWholeBodyWhateverItHolds) {
  platform::BitmapPixels body = Body(5, 3, kMagenta);
  Set(body, 2, 1, 0x000000);
  WindowShape shape;
  std::vector<std::uint8_t> hit;
  ASSERT_TRUE(ShapeFromRectangle(body, shape, hit));
  EXPECT_TRUE(shape.valid);
  EXPECT_EQ(shape.width, 5);
  EXPECT_EQ(shape.height, 3);
  EXPECT_EQ(hit, std::vector<std::uint8_t>(15, 1));
  const auto rects = ShapeRectangles(shape);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].left, 0);
  EXPECT_EQ(rects[0].top, 0);
  EXPECT_EQ(rects[0].right, 5);
  EXPECT_EQ(rects[0].bottom, 3);
}

TEST(WindowShape, BodyOfOnlyKeyColourIsEmpty) {
  WindowShape shape;
  std::vector<std::uint8_t> hit;
  ASSERT_TRUE(ShapeFromColourKey(Body(4, 4, kMagenta), kMagenta, shape, hit));
  EXPECT_TRUE(shape.valid);
  EXPECT_TRUE(shape.runs.empty());
  EXPECT_TRUE(ShapeRectangles(shape).empty());
  EXPECT_EQ(hit, std::vector<std::uint8_t>(16, 0));
}

TEST(WindowShape, BodyWithoutKeyColourIsOneRunPerRow) {
  WindowShape shape;
  std::vector<std::uint8_t> hit;
  ASSERT_TRUE(ShapeFromColourKey(Body(6, 3, 0x102030), kMagenta, shape, hit));
  ASSERT_EQ(shape.runs.size(), 3u);
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(shape.runs[y].y, y);
    EXPECT_EQ(shape.runs[y].x0, 0);
    EXPECT_EQ(shape.runs[y].x1, 6);
  }
  EXPECT_EQ(hit, std::vector<std::uint8_t>(18, 1));
  EXPECT_EQ(ShapeRectangles(shape).size(), 1u);
}

TEST(WindowShape, RunsReachBothEdgesAndSplitAtKeyPixels) {
  // Row 0: opaque at both ends; row 1: key at both ends; row 2: alternating.
  platform::BitmapPixels body = Body(5, 3, 0x010101);
  Set(body, 2, 0, kMagenta);
  Set(body, 0, 1, kMagenta);
  Set(body, 4, 1, kMagenta);
  for (int x = 0; x < 5; x += 2) Set(body, x, 2, kMagenta);
  WindowShape shape;
  std::vector<std::uint8_t> hit;
  ASSERT_TRUE(ShapeFromColourKey(body, kMagenta, shape, hit));
  const std::vector<std::vector<int>> expected = {{0, 0, 2}, {0, 3, 5}, {1, 1, 4}, {2, 1, 2}, {2, 3, 4}};
  ASSERT_EQ(shape.runs.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(shape.runs[i].y, expected[i][0]) << i;
    EXPECT_EQ(shape.runs[i].x0, expected[i][1]) << i;
    EXPECT_EQ(shape.runs[i].x1, expected[i][2]) << i;
  }
  EXPECT_EQ(hit, (std::vector<std::uint8_t>{1, 1, 0, 1, 1, 0, 1, 1, 1, 0, 0, 1, 0, 1, 0}));
}

TEST(WindowShape, LargeKeysMeanTheTopLeftColour) {
  platform::BitmapPixels body = Body(3, 1, 0x00FF00);
  Set(body, 0, 0, 0x123456);
  Set(body, 2, 0, 0x123456);  // an isolated pixel of that colour is cut out too
  for (std::uint32_t key : {16777216u, 16777217u, 0xFFFFFFFFu}) {
    WindowShape shape;
    std::vector<std::uint8_t> hit;
    ASSERT_TRUE(ShapeFromColourKey(body, key, shape, hit));
    EXPECT_EQ(hit, (std::vector<std::uint8_t>{0, 1, 0})) << key;
  }
  // Just below the limit, white is a key of its own.
  WindowShape shape;
  std::vector<std::uint8_t> hit;
  ASSERT_TRUE(ShapeFromColourKey(body, 0xFFFFFF, shape, hit));
  EXPECT_EQ(hit, (std::vector<std::uint8_t>{1, 1, 1}));
}

TEST(WindowShape, OnlyTheLowTwentyFourBitsCompare) {
  platform::BitmapPixels body = Body(3, 1, 0x000000);
  Set(body, 0, 0, 0xFF00FF00u);
  Set(body, 1, 0, 0x0100FF00u);
  WindowShape shape;
  std::vector<std::uint8_t> hit;
  ASSERT_TRUE(ShapeFromColourKey(body, 0x00FF00, shape, hit));
  EXPECT_EQ(hit, (std::vector<std::uint8_t>{0, 0, 1}));
  // The top-left key drops the high byte as well.
  ASSERT_TRUE(ShapeFromColourKey(body, 16777216u, shape, hit));
  EXPECT_EQ(hit, (std::vector<std::uint8_t>{0, 0, 1}));
}

TEST(WindowShape, EmptyBodyBuildsNothingAndKeepsTheMask) {
  WindowShape shape;
  std::vector<std::uint8_t> hit(4, 1);
  platform::BitmapPixels none;
  EXPECT_FALSE(ShapeFromColourKey(none, kMagenta, shape, hit));
  EXPECT_FALSE(ShapeFromRectangle(none, shape, hit));
  EXPECT_FALSE(shape.valid);
  EXPECT_EQ(hit.size(), 4u);
  platform::BitmapPixels shortBody = Body(4, 4, 0);
  shortBody.pixels.resize(3);
  EXPECT_FALSE(ShapeFromColourKey(shortBody, kMagenta, shape, hit));
}

TEST(WindowShape, RectanglesCoverExactlyTheRunsAndMergeEqualRows) {
  // A disc: rows differ, except the flat middle band.
  platform::BitmapPixels body = Body(9, 9, kMagenta);
  for (int y = 0; y < 9; ++y) {
    const int inset = y < 2 ? 2 - y : (y > 6 ? y - 6 : 0);
    for (int x = inset; x < 9 - inset; ++x) Set(body, x, y, 0x808080);
  }
  WindowShape shape;
  std::vector<std::uint8_t> hit;
  ASSERT_TRUE(ShapeFromColourKey(body, kMagenta, shape, hit));
  const auto rects = ShapeRectangles(shape);
  EXPECT_EQ(rects.size(), 5u);  // rows 0, 1, 2..6, 7, 8
  EXPECT_EQ(Covered(rects, 9, 9), hit);

  // Random bodies: the rectangles cover every run pixel exactly once.
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    const int w = 1 + static_cast<int>(random() % 12);
    const int h = 1 + static_cast<int>(random() % 12);
    platform::BitmapPixels b = Body(w, h, 0);
    const bool banded = round % 2 == 0;  // repeat rows to exercise merging
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const std::uint32_t c = (banded && y > 0 && random() % 3 != 0)
                                    ? b.pixels[static_cast<std::size_t>(y - 1) * w + x]
                                    : (random() % 2 ? kMagenta : 0x000001u);
        Set(b, x, y, c);
      }
    }
    ASSERT_TRUE(ShapeFromColourKey(b, kMagenta, shape, hit));
    EXPECT_EQ(Covered(shape), hit) << round;
    const auto r = ShapeRectangles(shape);
    EXPECT_EQ(Covered(r, w, h), hit) << round;
    for (std::size_t i = 1; i < r.size(); ++i) {
      EXPECT_TRUE(r[i - 1].top < r[i].top || (r[i - 1].top == r[i].top && r[i - 1].left < r[i].left));
    }
  }
}

}  // namespace
