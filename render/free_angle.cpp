// Turned drawing at any angle but the quarter turns: every frame pixel inside
// the spans is mapped back into the layer and sampled, bilinearly through the
// mask or at the nearest pixel. Every product and sum keeps the order of the
// straightforward per-pixel formulas, so the output is bit for bit theirs.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "render/layer_drawing.h"
#include "render/pixel_blend.h"

namespace {

inline bool Inside(const PlanarImage& layer, std::int64_t u, std::int64_t v) {
  return u >= 0 && u < layer.width && v >= 0 && v < layer.height;
}

inline std::uint8_t Channel(double p00, double p10, double p01, double p11, std::uint8_t c00,
                            std::uint8_t c10, std::uint8_t c01, std::uint8_t c11, double s) {
  const double sum = ((p01 * c01 + p10 * c10) + p00 * c00) + p11 * c11;
  return static_cast<std::uint8_t>(TruncToInt(sum / s));
}

}  // namespace

void BlendBilinearSample(const PlanarImage& layer, FramePixel out, double u, double v) {
  const std::int32_t iu = TruncToInt(u);
  const std::int32_t iv = TruncToInt(v);
  const std::int64_t w = layer.width;
  std::uint32_t m00, m10, m01, m11;
  std::size_t i00 = 0, i10 = 0, i01 = 0, i11 = 0;
  if (iu >= 0 && iu + std::int64_t{1} < w && iv >= 0 && iv + std::int64_t{1} < layer.height) {
    i00 = static_cast<std::size_t>(iv * w + iu);
    i10 = i00 + 1;
    i01 = i00 + static_cast<std::size_t>(w);
    i11 = i01 + 1;
    const std::uint8_t* mask = layer.mask.data();
    m00 = mask[i00], m10 = mask[i10], m01 = mask[i01], m11 = mask[i11];
  } else {
    // Near or beyond the layer's edge: test each sample on its own.
    const std::int64_t u0 = iu, v0 = iv, u1 = u0 + 1, v1 = v0 + 1;
    auto fetch = [&](std::int64_t su, std::int64_t sv, std::size_t& index) -> std::uint32_t {
      if (!Inside(layer, su, sv)) return 0;
      index = static_cast<std::size_t>(sv * w + su);
      return layer.mask[index];
    };
    m00 = fetch(u0, v0, i00);
    m10 = fetch(u1, v0, i10);
    m01 = fetch(u0, v1, i01);
    m11 = fetch(u1, v1, i11);
  }
  if ((m00 | m10 | m01 | m11) == 0) return;  // every product below would be 0

  const double fx = u - iu;
  const double fy = v - iv;
  const double w00 = (1 - fx) * (1 - fy);
  const double w10 = fx * (1 - fy);
  const double w01 = (1 - fx) * fy;
  const double w11 = fx * fy;
  const double p00 = w00 * m00, p10 = w10 * m10, p01 = w01 * m01, p11 = w11 * m11;
  const double s = ((p11 + p01) + p10) + p00;
  if (s == 0) return;
  const double wsum = ((w11 + w01) + w10) + w00;
  const std::uint32_t a = static_cast<std::uint8_t>(TruncToInt(s / wsum));

  // An off-grid sample has mask 0, so its colour (read as 0) adds nothing.
  auto at = [](const std::vector<std::uint8_t>& plane, std::size_t index, std::uint32_t m) {
    return m != 0 ? plane[index] : std::uint8_t{0};
  };
  const std::uint32_t r = Channel(p00, p10, p01, p11, at(layer.red, i00, m00),
                                  at(layer.red, i10, m10), at(layer.red, i01, m01),
                                  at(layer.red, i11, m11), s);
  const std::uint32_t g = Channel(p00, p10, p01, p11, at(layer.green, i00, m00),
                                  at(layer.green, i10, m10), at(layer.green, i01, m01),
                                  at(layer.green, i11, m11), s);
  const std::uint32_t b = Channel(p00, p10, p01, p11, at(layer.blue, i00, m00),
                                  at(layer.blue, i10, m10), at(layer.blue, i01, m01),
                                  at(layer.blue, i11, m11), s);
  *out.red = BlendByte(r, *out.red, a);
  *out.green = BlendByte(g, *out.green, a);
  *out.blue = BlendByte(b, *out.blue, a);
}

void BlendNearestSample(const PlanarImage& layer, FramePixel out, double u, double v) {
  const std::int32_t iu = TruncToInt(u + 0.5);
  const std::int32_t iv = TruncToInt(v + 0.5);
  if (!Inside(layer, iu, iv)) return;  // mask 0: the frame stays
  const std::size_t s = static_cast<std::size_t>(std::int64_t{iv} * layer.width + iu);
  const std::uint32_t m = layer.mask[s];
  if (m == 0) return;
  *out.red = BlendByte(layer.red[s], *out.red, m);
  *out.green = BlendByte(layer.green[s], *out.green, m);
  *out.blue = BlendByte(layer.blue[s], *out.blue, m);
}

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
    for (std::int64_t i = left; i <= right; ++i) {
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
