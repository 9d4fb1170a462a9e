#include "skin/alpha_outline.h"

#include <cstddef>

bool ShapeFromAlpha(const platform::BitmapPixels& body, WindowShape& shape, std::vector<std::uint8_t>& hitMask) {
  const std::size_t w = static_cast<std::size_t>(body.width > 0 ? body.width : 0);
  const std::size_t h = static_cast<std::size_t>(body.height > 0 ? body.height : 0);
  if (!body.hasAlpha || w == 0 || h == 0 || body.pixels.size() < w * h) return false;
  shape.valid = true;
  shape.width = body.width;
  shape.height = body.height;
  shape.runs.clear();
  hitMask.assign(w * h, 0);
  auto inside = [](std::uint32_t pixel) { return (pixel >> 24) >= kAlphaInside; };
  for (std::size_t y = 0; y < h; ++y) {
    const std::uint32_t* row = body.pixels.data() + y * w;
    std::uint8_t* hitRow = hitMask.data() + y * w;
    std::size_t x = 0;
    while (x < w) {
      if (!inside(row[x])) {
        ++x;
        continue;
      }
      const std::size_t x0 = x;
      while (x < w && inside(row[x])) hitRow[x++] = 1;
      shape.runs.push_back({static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x)});
    }
  }
  return true;
}
