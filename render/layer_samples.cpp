// The single-pixel samplers of turned drawing. Every product and sum keeps the
// order of the straightforward per-pixel formulas, so the output is bit for bit
// theirs (the two-pixel SSE2 path in bilinear_pair.cpp matches them too).
#include "render/layer_samples.h"

#include <cstddef>
#include <cstdint>

#include "render/pixel_blend.h"

namespace {

inline bool Inside(const PlanarImage& layer, std::int64_t u, std::int64_t v) {
  return u >= 0 && u < layer.width && v >= 0 && v < layer.height;
}

inline std::uint8_t Channel(double p00, double p10, double p01, double p11, std::uint32_t c00,
                            std::uint32_t c10, std::uint32_t c01, std::uint32_t c11, double s) {
  const double sum = ((p01 * c01 + p10 * c10) + p00 * c00) + p11 * c11;
  return static_cast<std::uint8_t>(TruncToInt(sum / s));
}

// The four samples around a layer position: (iu, iv), (iu + 1, iv),
// (iu, iv + 1), (iu + 1, iv + 1). Off-grid samples have mask and colour 0.
struct Quad {
  std::uint32_t m[4];
  std::uint32_t r[4], g[4], b[4];
};

inline void BlendQuad(const Quad& q, FramePixel out, double fx, double fy) {
  const double w00 = (1 - fx) * (1 - fy);
  const double w10 = fx * (1 - fy);
  const double w01 = (1 - fx) * fy;
  const double w11 = fx * fy;
  const double p00 = w00 * q.m[0], p10 = w10 * q.m[1], p01 = w01 * q.m[2], p11 = w11 * q.m[3];
  const double s = ((p11 + p01) + p10) + p00;
  if (s == 0) return;
  const double wsum = ((w11 + w01) + w10) + w00;
  const std::uint32_t a = static_cast<std::uint8_t>(TruncToInt(s / wsum));
  const std::uint32_t r = Channel(p00, p10, p01, p11, q.r[0], q.r[1], q.r[2], q.r[3], s);
  const std::uint32_t g = Channel(p00, p10, p01, p11, q.g[0], q.g[1], q.g[2], q.g[3], s);
  const std::uint32_t b = Channel(p00, p10, p01, p11, q.b[0], q.b[1], q.b[2], q.b[3], s);
  *out.red = BlendByte(r, *out.red, a);
  *out.green = BlendByte(g, *out.green, a);
  *out.blue = BlendByte(b, *out.blue, a);
}

}  // namespace

void BlendBilinearSample(const PlanarImage& layer, FramePixel out, double u, double v) {
  const std::int32_t iu = TruncToInt(u);
  const std::int32_t iv = TruncToInt(v);
  const std::int64_t w = layer.width;
  Quad q;
  if (iu >= 0 && iu + std::int64_t{1} < w && iv >= 0 && iv + std::int64_t{1} < layer.height) {
    // All four on the grid: the common case inside a hand.
    const std::size_t at = static_cast<std::size_t>(iv * w + iu);
    const std::size_t next = static_cast<std::size_t>(w);
    const std::uint8_t* mask = layer.mask.data() + at;
    q.m[0] = mask[0], q.m[1] = mask[1], q.m[2] = mask[next], q.m[3] = mask[next + 1];
    if ((q.m[0] | q.m[1] | q.m[2] | q.m[3]) == 0) return;  // every product would be 0
    const std::uint8_t* red = layer.red.data() + at;
    const std::uint8_t* green = layer.green.data() + at;
    const std::uint8_t* blue = layer.blue.data() + at;
    q.r[0] = red[0], q.r[1] = red[1], q.r[2] = red[next], q.r[3] = red[next + 1];
    q.g[0] = green[0], q.g[1] = green[1], q.g[2] = green[next], q.g[3] = green[next + 1];
    q.b[0] = blue[0], q.b[1] = blue[1], q.b[2] = blue[next], q.b[3] = blue[next + 1];
  } else {
    // Near or beyond the layer's edge: each sample on its own.
    const std::int64_t us[4] = {iu, iu + std::int64_t{1}, iu, iu + std::int64_t{1}};
    const std::int64_t vs[4] = {iv, iv, iv + std::int64_t{1}, iv + std::int64_t{1}};
    for (int k = 0; k < 4; ++k) {
      q.m[k] = q.r[k] = q.g[k] = q.b[k] = 0;
      if (!Inside(layer, us[k], vs[k])) continue;
      const std::size_t i = static_cast<std::size_t>(vs[k] * w + us[k]);
      q.m[k] = layer.mask[i];
      q.r[k] = layer.red[i], q.g[k] = layer.green[i], q.b[k] = layer.blue[i];
    }
    if ((q.m[0] | q.m[1] | q.m[2] | q.m[3]) == 0) return;
  }
  BlendQuad(q, out, u - iu, v - iv);
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
