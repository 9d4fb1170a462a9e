#include "render/alpha_rows.h"

#include <emmintrin.h>

#include <cstdint>
#include <cstring>

#include "render/effect_bytes.h"

namespace {

constexpr int kChunk = 16;

inline __m128i Load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }

inline std::uint32_t Premultiply(std::uint32_t c, std::uint32_t a) {
  const std::uint32_t x = c * a + 128;
  return (x + (x >> 8)) >> 8;  // round(c * a / 255), exact for bytes
}

inline std::uint32_t PremultipliedPixel(std::uint32_t r, std::uint32_t g, std::uint32_t b, std::uint32_t a) {
  return a << 24 | Premultiply(r, a) << 16 | Premultiply(g, a) << 8 | Premultiply(b, a);
}

// round(c * a / 255) on 16-bit lanes holding bytes: with x = c a + 128,
// (x + (x >> 8)) >> 8 is x * 257 >> 16 for every such x (all are tested).
inline __m128i PremultiplyWords(__m128i c, __m128i a) {
  const __m128i x = _mm_add_epi16(_mm_mullo_epi16(c, a), _mm_set1_epi16(128));
  return _mm_mulhi_epu16(x, _mm_set1_epi16(257));
}

inline __m128i PremultiplyBytes(__m128i c, __m128i a) {
  const __m128i zero = _mm_setzero_si128();
  return _mm_packus_epi16(PremultiplyWords(_mm_unpacklo_epi8(c, zero), _mm_unpacklo_epi8(a, zero)),
                          PremultiplyWords(_mm_unpackhi_epi8(c, zero), _mm_unpackhi_epi8(a, zero)));
}

// Bit k set when byte k of `v` equals `value`.
inline int BytesEqual(__m128i v, char value) { return _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(value))); }

template <bool stream>
inline void StoreZeros(std::uint32_t* out) {
  for (int k = 0; k < 4; ++k) {
    __m128i* to = reinterpret_cast<__m128i*>(out + 4 * k);
    if (stream) {
      _mm_stream_si128(to, _mm_setzero_si128());
    } else {
      _mm_storeu_si128(to, _mm_setzero_si128());
    }
  }
}

// Most chunks lie wholly inside the outline or wholly outside it (a round
// clock's corners): only those on the edge are multiplied.
template <bool stream>
inline void NormalAlphaChunk(EffectRowIn in, const std::uint8_t* alpha, std::uint32_t* out, int x) {
  const __m128i a = Load(alpha + x);
  __m128i r = Load(in.red + x), g = Load(in.green + x), b = Load(in.blue + x);
  if (BytesEqual(a, -1) != 0xFFFF) {
    if (BytesEqual(a, 0) == 0xFFFF) {
      StoreZeros<stream>(out + x);
      return;
    }
    r = PremultiplyBytes(r, a);
    g = PremultiplyBytes(g, a);
    b = PremultiplyBytes(b, a);
  }
  effect_bytes::StoreWithAlpha<stream>(out + x, r, g, b, a);
}

// Four pixels 0x00RRGGBB premultiplied by their four alphas.
inline __m128i PremultiplyFour(__m128i pixels, std::uint32_t fourAlphas) {
  __m128i a = _mm_cvtsi32_si128(static_cast<int>(fourAlphas));
  a = _mm_unpacklo_epi8(a, a);  // a0 a0 a1 a1 a2 a2 a3 a3
  a = _mm_unpacklo_epi16(a, a);  // each alpha in its pixel's four bytes
  const __m128i alphaByte = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  return _mm_or_si128(_mm_andnot_si128(alphaByte, PremultiplyBytes(pixels, a)), _mm_and_si128(alphaByte, a));
}

}  // namespace

void NormalAlphaPixels(EffectRowIn in, const std::uint8_t* alpha, std::uint32_t* out, int width, bool stream) {
  int x = 0;
  auto one = [&](int i) { return PremultipliedPixel(in.red[i], in.green[i], in.blue[i], alpha[i]); };
  if (stream) {
    for (; x < width && (reinterpret_cast<std::uintptr_t>(out + x) & 15) != 0; ++x) out[x] = one(x);
    for (; x + kChunk <= width; x += kChunk) NormalAlphaChunk<true>(in, alpha, out, x);
  }
  for (; x + kChunk <= width; x += kChunk) NormalAlphaChunk<false>(in, alpha, out, x);
  // The last pixels as the chunk ending at the row's end, which writes a few
  // pixels again with the same values (not over streamed stores, which are
  // not ordered with it).
  if (x < width && width >= kChunk && !stream) {
    NormalAlphaChunk<false>(in, alpha, out, width - kChunk);
    return;
  }
  for (; x < width; ++x) out[x] = one(x);
}

void PremultiplyPixels(std::uint32_t* pixels, const std::uint8_t* alpha, int width) {
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int x = 0;
  for (; x + kChunk <= width; x += kChunk) {
    const __m128i a = Load(alpha + x);
    __m128i* p = reinterpret_cast<__m128i*>(pixels + x);
    if (BytesEqual(a, -1) == 0xFFFF) {
      for (int k = 0; k < 4; ++k) _mm_storeu_si128(p + k, _mm_or_si128(Load(p + k), opaque));
    } else if (BytesEqual(a, 0) == 0xFFFF) {
      for (int k = 0; k < 4; ++k) _mm_storeu_si128(p + k, _mm_setzero_si128());
    } else {
      for (int k = 0; k < 4; ++k) {
        std::uint32_t four;
        std::memcpy(&four, alpha + x + 4 * k, 4);
        _mm_storeu_si128(p + k, PremultiplyFour(Load(p + k), four));
      }
    }
  }
  for (; x < width; ++x) {
    const std::uint32_t c = pixels[x];
    pixels[x] = PremultipliedPixel(c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF, alpha[x]);
  }
}
