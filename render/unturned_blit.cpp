#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "render/blend_row.h"
#include "render/layer_drawing.h"

bool ImageIsDrawable(const PlanarImage& image) {
  if (image.width <= 0 || image.height <= 0) return false;
  const std::size_t count =
      static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
  if (image.red.size() < count || image.green.size() < count || image.blue.size() < count) {
    return false;
  }
  return !image.hasMask || image.mask.size() >= count;
}

void DrawUnturned(PlanarImage& frame, const PlanarImage& layer, int x, int y, int pivotX,
                  int pivotY) {
  if (!ImageIsDrawable(frame) || !ImageIsDrawable(layer)) return;
  // 64-bit: placements come from the skin file and may be anything.
  const std::int64_t left = std::int64_t{x} - pivotX;
  const std::int64_t top = std::int64_t{y} - pivotY;
  const std::int64_t x0 = std::max<std::int64_t>(0, left);
  const std::int64_t x1 = std::min<std::int64_t>(left + layer.width, frame.width);
  const std::int64_t y0 = std::max<std::int64_t>(0, top);
  const std::int64_t y1 = std::min<std::int64_t>(top + layer.height, frame.height);
  if (x0 >= x1 || y0 >= y1) return;

  const int count = static_cast<int>(x1 - x0);
  for (std::int64_t row = y0; row < y1; ++row) {
    const std::size_t d = static_cast<std::size_t>(row * frame.width + x0);
    const std::size_t s = static_cast<std::size_t>((row - top) * layer.width + (x0 - left));
    if (layer.hasMask) {
      BlendRow({&frame.red[d], &frame.green[d], &frame.blue[d]},
               {&layer.red[s], &layer.green[s], &layer.blue[s]}, &layer.mask[s], count);
    } else {
      std::memcpy(&frame.red[d], &layer.red[s], static_cast<std::size_t>(count));
      std::memcpy(&frame.green[d], &layer.green[s], static_cast<std::size_t>(count));
      std::memcpy(&frame.blue[d], &layer.blue[s], static_cast<std::size_t>(count));
    }
  }
}
