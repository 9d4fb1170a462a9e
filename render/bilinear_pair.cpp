#include "render/bilinear_pair.h"

#include <emmintrin.h>

#include <cstdint>

#include "render/pixel_blend.h"

namespace {

// Bytes as doubles, so that two samples load straight into a vector.
struct ByteDoubles {
  double value[256];
};
constexpr ByteDoubles MakeByteDoubles() {
  ByteDoubles t{};
  for (int i = 0; i < 256; ++i) t.value[i] = i;
  return t;
}
constexpr ByteDoubles kByte = MakeByteDoubles();

inline __m128d Pair(std::uint8_t a, std::uint8_t b) {
  return _mm_loadh_pd(_mm_load_sd(&kByte.value[a]), &kByte.value[b]);
}

inline double Low(__m128d v) { return _mm_cvtsd_f64(v); }
inline double High(__m128d v) { return _mm_cvtsd_f64(_mm_unpackhi_pd(v, v)); }

// Truncation toward zero of both lanes, kept as the low byte (the cast to a
// byte of the per-pixel code).
inline void Bytes(__m128d v, std::uint32_t& a, std::uint32_t& b) {
  const __m128i t = _mm_cvttpd_epi32(v);
  a = static_cast<std::uint32_t>(_mm_cvtsi128_si32(t)) & 0xFFu;
  b = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(t, 4))) & 0xFFu;
}

inline __m128d Colour(__m128d p00, __m128d p10, __m128d p01, __m128d p11, const std::uint8_t* plane,
                      std::size_t s0, std::size_t s1, std::size_t next, __m128d s) {
  const __m128d c00 = Pair(plane[s0], plane[s1]);
  const __m128d c10 = Pair(plane[s0 + 1], plane[s1 + 1]);
  const __m128d c01 = Pair(plane[s0 + next], plane[s1 + next]);
  const __m128d c11 = Pair(plane[s0 + next + 1], plane[s1 + next + 1]);
  const __m128d sum = _mm_add_pd(
      _mm_add_pd(_mm_add_pd(_mm_mul_pd(p01, c01), _mm_mul_pd(p10, c10)), _mm_mul_pd(p00, c00)),
      _mm_mul_pd(p11, c11));
  return _mm_div_pd(sum, s);
}

}  // namespace

void BlendBilinearPair(const PlanarImage& layer, PlanarImage& frame, std::size_t at, long long i,
                       const BackTurn& turn) {
  const __m128d dx = _mm_setr_pd(static_cast<double>(i) - turn.cx, static_cast<double>(i + 1) - turn.cx);
  const __m128d cx = _mm_set1_pd(turn.cx), cy = _mm_set1_pd(turn.cy);
  const __m128d rx = _mm_add_pd(_mm_sub_pd(_mm_mul_pd(dx, _mm_set1_pd(turn.cosR)), _mm_set1_pd(turn.dySin)), cx);
  const __m128d ry = _mm_add_pd(_mm_add_pd(_mm_mul_pd(dx, _mm_set1_pd(turn.sinR)), _mm_set1_pd(turn.dyCos)), cy);
  const __m128d u = _mm_add_pd(_mm_sub_pd(rx, cx), _mm_set1_pd(turn.du));
  const __m128d v = _mm_add_pd(_mm_sub_pd(ry, cy), _mm_set1_pd(turn.dv));
  const __m128i iu = _mm_cvttpd_epi32(u), iv = _mm_cvttpd_epi32(v);
  const std::int64_t u0 = _mm_cvtsi128_si32(iu), u1 = _mm_cvtsi128_si32(_mm_srli_si128(iu, 4));
  const std::int64_t v0 = _mm_cvtsi128_si32(iv), v1 = _mm_cvtsi128_si32(_mm_srli_si128(iv, 4));
  const std::int64_t w = layer.width, h = layer.height;
  auto inside = [&](std::int64_t a, std::int64_t b) { return a >= 0 && a + 1 < w && b >= 0 && b + 1 < h; };
  if (!inside(u0, v0) || !inside(u1, v1)) {
    // Near the layer's edge: one by one, with the checks of the single path.
    BlendBilinearSample(layer, {&frame.red[at], &frame.green[at], &frame.blue[at]}, Low(u), Low(v));
    BlendBilinearSample(layer, {&frame.red[at + 1], &frame.green[at + 1], &frame.blue[at + 1]}, High(u), High(v));
    return;
  }
  const std::size_t s0 = static_cast<std::size_t>(v0 * w + u0), s1 = static_cast<std::size_t>(v1 * w + u1);
  const std::size_t next = static_cast<std::size_t>(w);
  const std::uint8_t* mask = layer.mask.data();
  const std::uint32_t any0 = mask[s0] | mask[s0 + 1] | mask[s0 + next] | mask[s0 + next + 1];
  const std::uint32_t any1 = mask[s1] | mask[s1 + 1] | mask[s1 + next] | mask[s1 + next + 1];
  if ((any0 | any1) == 0) return;  // every product would be 0

  const __m128d one = _mm_set1_pd(1.0);
  const __m128d fx = _mm_sub_pd(u, _mm_cvtepi32_pd(iu)), fy = _mm_sub_pd(v, _mm_cvtepi32_pd(iv));
  const __m128d gx = _mm_sub_pd(one, fx), gy = _mm_sub_pd(one, fy);
  const __m128d w00 = _mm_mul_pd(gx, gy), w10 = _mm_mul_pd(fx, gy);
  const __m128d w01 = _mm_mul_pd(gx, fy), w11 = _mm_mul_pd(fx, fy);
  const __m128d p00 = _mm_mul_pd(w00, Pair(mask[s0], mask[s1]));
  const __m128d p10 = _mm_mul_pd(w10, Pair(mask[s0 + 1], mask[s1 + 1]));
  const __m128d p01 = _mm_mul_pd(w01, Pair(mask[s0 + next], mask[s1 + next]));
  const __m128d p11 = _mm_mul_pd(w11, Pair(mask[s0 + next + 1], mask[s1 + next + 1]));
  const __m128d s = _mm_add_pd(_mm_add_pd(_mm_add_pd(p11, p01), p10), p00);
  const __m128d wsum = _mm_add_pd(_mm_add_pd(_mm_add_pd(w11, w01), w10), w00);
  // A lane whose sum is 0 divides by 0 here; its results are not used.
  std::uint32_t a[2], r[2], g[2], b[2];
  Bytes(_mm_div_pd(s, wsum), a[0], a[1]);
  Bytes(Colour(p00, p10, p01, p11, layer.red.data(), s0, s1, next, s), r[0], r[1]);
  Bytes(Colour(p00, p10, p01, p11, layer.green.data(), s0, s1, next, s), g[0], g[1]);
  Bytes(Colour(p00, p10, p01, p11, layer.blue.data(), s0, s1, next, s), b[0], b[1]);
  const bool draw[2] = {Low(s) != 0, High(s) != 0};
  for (int k = 0; k < 2; ++k) {
    if (!draw[k]) continue;
    const std::size_t d = at + static_cast<std::size_t>(k);
    frame.red[d] = BlendByte(r[k], frame.red[d], a[k]);
    frame.green[d] = BlendByte(g[k], frame.green[d], a[k]);
    frame.blue[d] = BlendByte(b[k], frame.blue[d], a[k]);
  }
}
