// Turns by 90, 180 and 270 degrees move whole pixels: no resampling.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "render/layer_drawing.h"
#include "render/pixel_blend.h"

void DrawQuarterTurn(PlanarImage& frame, const PlanarImage& layer, int x, int y, int pivotX,
                     int pivotY, int quarter) {
  if (!ImageIsDrawable(frame) || !ImageIsDrawable(layer) || !layer.hasMask) return;
  const std::int64_t w = layer.width, h = layer.height;
  const std::int64_t px = pivotX, py = pivotY, cx = x, cy = y;

  // Frame rectangle the turned layer covers, and per frame pixel (X, Y) the
  // layer pixel sx = sx0 + ax * X + ay * Y, sy = sy0 + bx * X + by * Y.
  std::int64_t xMin, xMax, yMin, yMax;
  std::int64_t sx0, ax, ay, sy0, bx, by;
  if (quarter == 1) {  // (X, Y) = (x - (sy - py), y + (sx - px))
    xMin = cx - (h - 1 - py), xMax = cx + py, yMin = cy - px, yMax = cy + (w - 1 - px);
    sx0 = px - cy, ax = 0, ay = 1, sy0 = py + cx, bx = -1, by = 0;
  } else if (quarter == 2) {  // (X, Y) = (x - (sx - px), y - (sy - py))
    xMin = cx - (w - 1 - px), xMax = cx + px, yMin = cy - (h - 1 - py), yMax = cy + py;
    sx0 = px + cx, ax = -1, ay = 0, sy0 = py + cy, bx = 0, by = -1;
  } else {  // (X, Y) = (x + (sy - py), y - (sx - px))
    xMin = cx - py, xMax = cx + (h - 1 - py), yMin = cy - (w - 1 - px), yMax = cy + px;
    sx0 = px + cy, ax = 0, ay = -1, sy0 = py - cx, bx = 1, by = 0;
  }
  xMin = std::max<std::int64_t>(xMin, 0);
  yMin = std::max<std::int64_t>(yMin, 0);
  xMax = std::min<std::int64_t>(xMax, frame.width - 1);
  yMax = std::min<std::int64_t>(yMax, frame.height - 1);

  for (std::int64_t fy = yMin; fy <= yMax; ++fy) {
    const std::size_t rowBase = static_cast<std::size_t>(fy * frame.width);
    for (std::int64_t fx = xMin; fx <= xMax; ++fx) {
      const std::int64_t sx = sx0 + ax * fx + ay * fy;
      const std::int64_t sy = sy0 + bx * fx + by * fy;
      const std::size_t s = static_cast<std::size_t>(sy * w + sx);
      const std::uint32_t m = layer.mask[s];
      if (m == 0) continue;
      const std::size_t d = rowBase + static_cast<std::size_t>(fx);
      frame.red[d] = BlendByte(layer.red[s], frame.red[d], m);
      frame.green[d] = BlendByte(layer.green[s], frame.green[d], m);
      frame.blue[d] = BlendByte(layer.blue[s], frame.blue[d], m);
    }
  }
}
