#include "render/blend_row.h"

#include <emmintrin.h>

#include <cstring>

#include "render/pixel_blend.h"

namespace {

constexpr int kChunk = 16;

// Div255(src * m + dst * (255 - m)) on eight 16-bit lanes. Every intermediate
// fits: the sum is at most 255 * 255, plus 1 + (sum >> 8) at most 65280.
inline __m128i BlendWords(__m128i src, __m128i dst, __m128i m) {
  const __m128i inverse = _mm_sub_epi16(_mm_set1_epi16(255), m);
  __m128i sum = _mm_add_epi16(_mm_mullo_epi16(src, m), _mm_mullo_epi16(dst, inverse));
  sum = _mm_add_epi16(sum, _mm_add_epi16(_mm_srli_epi16(sum, 8), _mm_set1_epi16(1)));
  return _mm_srli_epi16(sum, 8);
}

// Sixteen bytes of one plane, blended in place through mLow and mHigh (the
// mask bytes widened to 16 bits).
inline void BlendChunk(std::uint8_t* dst, const std::uint8_t* src, __m128i mLow, __m128i mHigh) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
  const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst));
  const __m128i low = BlendWords(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), mLow);
  const __m128i high = BlendWords(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), mHigh);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_packus_epi16(low, high));
}

inline void CopyChunk(std::uint8_t* dst, const std::uint8_t* src) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_loadu_si128(reinterpret_cast<const __m128i*>(src)));
}

void BlendOne(PlaneRow dst, ConstPlaneRow src, std::uint32_t m, int i) {
  dst.red[i] = BlendByte(src.red[i], dst.red[i], m);
  dst.green[i] = BlendByte(src.green[i], dst.green[i], m);
  dst.blue[i] = BlendByte(src.blue[i], dst.blue[i], m);
}

}  // namespace

void BlendRow(PlaneRow dst, ConstPlaneRow src, const std::uint8_t* mask, int count) {
  const __m128i zero = _mm_setzero_si128();
  int i = 0;
  for (; i + kChunk <= count; i += kChunk) {
    const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask + i));
    const int transparent = _mm_movemask_epi8(_mm_cmpeq_epi8(m, zero));
    if (transparent == 0xFFFF) continue;  // the frame stays
    if (transparent == 0 && _mm_movemask_epi8(_mm_cmpeq_epi8(m, _mm_set1_epi8(-1))) == 0xFFFF) {
      CopyChunk(dst.red + i, src.red + i);
      CopyChunk(dst.green + i, src.green + i);
      CopyChunk(dst.blue + i, src.blue + i);
      continue;
    }
    const __m128i mLow = _mm_unpacklo_epi8(m, zero);
    const __m128i mHigh = _mm_unpackhi_epi8(m, zero);
    BlendChunk(dst.red + i, src.red + i, mLow, mHigh);
    BlendChunk(dst.green + i, src.green + i, mLow, mHigh);
    BlendChunk(dst.blue + i, src.blue + i, mLow, mHigh);
  }
  for (; i < count; ++i) {
    const std::uint32_t m = mask[i];
    if (m != 0) BlendOne(dst, src, m, i);
  }
}
