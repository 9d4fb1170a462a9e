#include "skin/window_shape.h"

#include <cstddef>

#include "skin/skin_settings.h"

namespace {

bool HoldsPixels(const platform::BitmapPixels& body) {
  return body.width > 0 && body.height > 0 &&
         body.pixels.size() >=
             static_cast<std::size_t>(body.width) * static_cast<std::size_t>(body.height);
}

void StartShape(const platform::BitmapPixels& body, WindowShape& shape) {
  shape.valid = true;
  shape.width = body.width;
  shape.height = body.height;
  shape.runs.clear();
}

}  // namespace

bool ShapeFromRectangle(const platform::BitmapPixels& body, WindowShape& shape,
                        std::vector<std::uint8_t>& hitMask) {
  if (!HoldsPixels(body)) return false;
  StartShape(body, shape);
  shape.runs.reserve(static_cast<std::size_t>(body.height));
  for (int y = 0; y < body.height; ++y) shape.runs.push_back({y, 0, body.width});
  hitMask.assign(static_cast<std::size_t>(body.width) * body.height, 1);
  return true;
}

bool ShapeFromColourKey(const platform::BitmapPixels& body, std::uint32_t key, WindowShape& shape,
                        std::vector<std::uint8_t>& hitMask) {
  if (!HoldsPixels(body)) return false;
  if (key >= kNoColourKey) key = body.pixels[0] & 0xFFFFFFu;
  StartShape(body, shape);
  const int w = body.width;
  hitMask.assign(static_cast<std::size_t>(w) * body.height, 0);
  for (int y = 0; y < body.height; ++y) {
    const std::uint32_t* row = body.pixels.data() + static_cast<std::size_t>(y) * w;
    std::uint8_t* hitRow = hitMask.data() + static_cast<std::size_t>(y) * w;
    int x = 0;
    while (x < w) {
      if ((row[x] & 0xFFFFFFu) == key) {
        ++x;
        continue;
      }
      const int x0 = x;
      while (x < w && (row[x] & 0xFFFFFFu) != key) hitRow[x++] = 1;
      shape.runs.push_back({y, x0, x});
    }
  }
  return true;
}

std::vector<ShapeRect> ShapeRectangles(const WindowShape& shape) {
  std::vector<ShapeRect> rects;
  // Rectangles of the previous row, still open downwards: rects[openBegin..].
  std::size_t openBegin = 0;
  int openRow = -2;
  const std::vector<ShapeRun>& runs = shape.runs;
  std::size_t i = 0;
  while (i < runs.size()) {
    const int y = runs[i].y;
    std::size_t end = i;
    while (end < runs.size() && runs[end].y == y) ++end;
    bool same = openRow == y - 1 && rects.size() - openBegin == end - i;
    for (std::size_t k = 0; same && k < end - i; ++k) {
      same = rects[openBegin + k].left == runs[i + k].x0 && rects[openBegin + k].right == runs[i + k].x1;
    }
    if (same) {
      for (std::size_t k = openBegin; k < rects.size(); ++k) rects[k].bottom = y + 1;
    } else {
      openBegin = rects.size();
      for (std::size_t k = i; k < end; ++k) rects.push_back({runs[k].x0, y, runs[k].x1, y + 1});
    }
    openRow = y;
    i = end;
  }
  return rects;
}
