// Sixteen pixels' bytes into 32-bit pixels and through the luma outputs, on
// 16-byte vectors. Shared by the SSE2 row kernels and the AVX2 frame kernel's
// row ends, where the compiler encodes the same operations in VEX form.
#pragma once
#include <emmintrin.h>

#include <cstdint>

namespace effect_bytes {

// Sixteen pixels from their four bytes: in memory blue, green, red, alpha.
template <bool stream>
inline void StoreWithAlpha(std::uint32_t* out, __m128i r, __m128i g, __m128i b, __m128i a) {
  const __m128i bgLow = _mm_unpacklo_epi8(b, g), bgHigh = _mm_unpackhi_epi8(b, g);
  const __m128i raLow = _mm_unpacklo_epi8(r, a), raHigh = _mm_unpackhi_epi8(r, a);
  const __m128i p[4] = {_mm_unpacklo_epi16(bgLow, raLow), _mm_unpackhi_epi16(bgLow, raLow),
                        _mm_unpacklo_epi16(bgHigh, raHigh), _mm_unpackhi_epi16(bgHigh, raHigh)};
  for (int k = 0; k < 4; ++k) {
    __m128i* to = reinterpret_cast<__m128i*>(out + 4 * k);
    if (stream) {
      _mm_stream_si128(to, p[k]);
    } else {
      _mm_storeu_si128(to, p[k]);
    }
  }
}

// Sixteen pixels from their red, green and blue bytes: in memory blue, green,
// red, 0, which is 0x00RRGGBB little-endian. Streamed stores need `out`
// 16-byte aligned.
template <bool stream>
inline void StorePixels(std::uint32_t* out, __m128i r, __m128i g, __m128i b) {
  StoreWithAlpha<stream>(out, r, g, b, _mm_setzero_si128());
}

// luma - d + 128 on 16-bit lanes, clamped by the signed-to-unsigned pack.
inline __m128i EmbossBytes(__m128i lumas, __m128i ds) {
  const __m128i zero = _mm_setzero_si128(), bias = _mm_set1_epi16(128);
  const __m128i low = _mm_add_epi16(_mm_sub_epi16(_mm_unpacklo_epi8(lumas, zero), _mm_unpacklo_epi8(ds, zero)), bias);
  const __m128i high = _mm_add_epi16(_mm_sub_epi16(_mm_unpackhi_epi8(lumas, zero), _mm_unpackhi_epi8(ds, zero)), bias);
  return _mm_packus_epi16(low, high);
}

// Sepia's three bytes of sixteen lumas: t = min(y, 255 - y); y + 41 t / 127,
// y + 4 t / 127 and y - 41 t / 127, the clamp to 0..255 done by unsigned
// saturation. For t up to 127, 41 t / 127 is the high half of t * 21158 and
// 4 t / 127 that of t * 2065 (every t is checked by the tests).
inline void SepiaBytes(__m128i y, __m128i& r, __m128i& g, __m128i& b) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i t = _mm_min_epu8(y, _mm_xor_si128(y, _mm_set1_epi8(-1)));
  const __m128i tLow = _mm_unpacklo_epi8(t, zero), tHigh = _mm_unpackhi_epi8(t, zero);
  const __m128i strong = _mm_packus_epi16(_mm_mulhi_epu16(tLow, _mm_set1_epi16(21158)),
                                          _mm_mulhi_epu16(tHigh, _mm_set1_epi16(21158)));
  const __m128i weak = _mm_packus_epi16(_mm_mulhi_epu16(tLow, _mm_set1_epi16(2065)),
                                        _mm_mulhi_epu16(tHigh, _mm_set1_epi16(2065)));
  r = _mm_adds_epu8(y, strong);
  g = _mm_adds_epu8(y, weak);
  b = _mm_subs_epu8(y, strong);
}

// Sixteen colours of a 256-entry table, looked up one by one.
inline void StoreTableColours(std::uint32_t* out, const std::uint32_t* table, const std::uint8_t* lumas) {
  for (int j = 0; j < 16; j += 4) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + j),
                     _mm_setr_epi32(static_cast<int>(table[lumas[j]]), static_cast<int>(table[lumas[j + 1]]),
                                    static_cast<int>(table[lumas[j + 2]]), static_cast<int>(table[lumas[j + 3]])));
  }
}

}  // namespace effect_bytes
