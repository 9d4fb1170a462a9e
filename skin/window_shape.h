// The clock window's outline as runs of opaque body pixels. The shell turns the
// runs into a region in one step.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/bitmap_file.h"

struct ShapeRun {
  int y;
  int x0;  // first pixel of the run
  int x1;  // one past the last pixel
};

struct WindowShape {
  bool valid = false;  // false: no shape could be built; the window is its full rectangle
  int width = 0;
  int height = 0;
  std::vector<ShapeRun> runs;  // row by row from the top, left to right within a row
};

// A rectangle of the outline: left, top inclusive; right, bottom exclusive.
struct ShapeRect {
  int left;
  int top;
  int right;
  int bottom;
};

// Both builders fill `shape` and replace `hitMask` (width x height bytes, 1 =
// inside) with the body's outline. They fail, touching neither, when the body
// holds no pixels.

// The whole body rectangle, whatever the picture holds.
bool ShapeFromRectangle(const platform::BitmapPixels& body, WindowShape& shape,
                        std::vector<std::uint8_t>& hitMask);

// Every pixel whose low 24 bits differ from `key` (0xRRGGBB). A key of
// 16777216 or more stands for the colour of the top-left pixel.
bool ShapeFromColourKey(const platform::BitmapPixels& body, std::uint32_t key, WindowShape& shape,
                        std::vector<std::uint8_t>& hitMask);

// The runs as few rectangles: rows whose runs are the same as the row above
// extend that row's rectangles downwards. Sorted by top, then left.
std::vector<ShapeRect> ShapeRectangles(const WindowShape& shape);
