// Turned drawing at any angle but the quarter turns: every frame pixel inside
// the spans is mapped back into the layer and sampled, bilinearly through the
// mask or at the nearest pixel (render/layer_samples.cpp). Every product and
// sum keeps the order of the straightforward per-pixel formulas, so the output
// is bit for bit theirs.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "render/bilinear_pair.h"
#include "render/layer_drawing.h"
#include "render/layer_samples.h"

void DrawFreeAngle(PlanarImage& frame, const PlanarImage& layer, int x, int y, int pivotX,
                   int pivotY, float angle, bool antiAliasing, SpanTable& spans) {
  if (!ImageIsDrawable(frame) || !ImageIsDrawable(layer) || !layer.hasMask) return;
  if (!spans.BuildSpans(frame.width, frame.height, layer.width, layer.height, pivotX, pivotY, x, y,
                        angle)) {
    return;
  }
  // Frame pixels map back into the layer by the opposite turn.
  const Rotation back(-static_cast<double>(angle));
  const double cx = x, cy = y, du = pivotX, dv = pivotY;

  // The bottom row of the footprint is never drawn, without anti-aliasing the
  // bottom two.
  const std::int64_t lastDrawn = std::int64_t{spans.lastRow} - (antiAliasing ? 1 : 2);
  const std::int64_t rowEnd = std::min<std::int64_t>(lastDrawn, frame.height - 1);
  for (std::int64_t j = std::max<std::int64_t>(spans.firstRow, 0); j <= rowEnd; ++j) {
    const ColumnSpan span = spans.spans[static_cast<std::size_t>(j - spans.firstRow)];
    // The spans are clamped to the frame already; this only guards odd values.
    const std::int64_t left = std::max<std::int64_t>(span.left, 0);
    const std::int64_t right = std::min<std::int64_t>(span.right, frame.width - 1);
    if (left > right) continue;
    const double dy = static_cast<double>(j) - cy;
    const double dySin = dy * back.sinR;
    const double dyCos = dy * back.cosR;
    const std::size_t rowBase = static_cast<std::size_t>(j * frame.width);
    std::int64_t i = left;
    if (antiAliasing) {
      // Two pixels at a time; a last odd one goes the single way below.
      const BackTurn turn{back.cosR, back.sinR, dySin, dyCos, cx, cy, du, dv};
      for (; i + 1 <= right; i += 2) {
        BlendBilinearPair(layer, frame, rowBase + static_cast<std::size_t>(i), i, turn);
      }
    }
    for (; i <= right; ++i) {
      const double dx = static_cast<double>(i) - cx;
      const double rx = dx * back.cosR - dySin + cx;
      const double ry = dx * back.sinR + dyCos + cy;
      const double u = rx - cx + du;
      const double v = ry - cy + dv;
      const std::size_t d = rowBase + static_cast<std::size_t>(i);
      const FramePixel out{&frame.red[d], &frame.green[d], &frame.blue[d]};
      if (antiAliasing) {
        BlendBilinearSample(layer, out, u, v);
      } else {
        BlendNearestSample(layer, out, u, v);
      }
    }
  }
}
