#include "render/luma_avx2.h"

#if defined(__x86_64__) && defined(__GNUC__) && !defined(_WIN32)
#define HORALUNE_LUMA_AVX2 1
#include <immintrin.h>
#endif

#ifdef HORALUNE_LUMA_AVX2
namespace {

// LumaWords of effect_rows.cpp on sixteen 16-bit lanes.
__attribute__((target("avx2"))) inline __m256i LumaWords(__m256i r, __m256i g, __m256i b, __m256i& flagged) {
  const __m256i p = _mm256_add_epi16(_mm256_add_epi16(_mm256_mullo_epi16(r, _mm256_set1_epi16(37)),
                                                      _mm256_mullo_epi16(g, _mm256_set1_epi16(73))),
                                     _mm256_mullo_epi16(b, _mm256_set1_epi16(14)));
  const __m256i q = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_add_epi16(r, g), _mm256_set1_epi16(3)),
                                     _mm256_add_epi16(b, b));
  const __m256i eighth = _mm256_add_epi16(p, _mm256_srli_epi16(q, 3));
  const __m256i luma = _mm256_srli_epi16(_mm256_mulhi_epu16(eighth, _mm256_set1_epi16(33555)), 6);
  const __m256i zero = _mm256_setzero_si256();
  const __m256i rest = _mm256_or_si256(_mm256_and_si256(q, _mm256_set1_epi16(7)),
                                       _mm256_sub_epi16(eighth, _mm256_mullo_epi16(luma, _mm256_set1_epi16(125))));
  flagged = _mm256_andnot_si256(_mm256_cmpeq_epi16(luma, zero), _mm256_cmpeq_epi16(rest, zero));
  return luma;
}

template <LumaOrder order>
__attribute__((target("avx2"))) int Kernel(EffectRowIn in, std::uint8_t* lumas, int width) {
  const __m256i zero = _mm256_setzero_si256();
  int x = 0;
  for (; x + 32 <= width; x += 32) {
    const __m256i r = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in.red + x));
    const __m256i g = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in.green + x));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in.blue + x));
    // Unpacking and packing both work within 128-bit halves, so the bytes
    // come back in their order.
    __m256i flaggedLow, flaggedHigh;
    const __m256i low = LumaWords(_mm256_unpacklo_epi8(r, zero), _mm256_unpacklo_epi8(g, zero),
                                  _mm256_unpacklo_epi8(b, zero), flaggedLow);
    const __m256i high = LumaWords(_mm256_unpackhi_epi8(r, zero), _mm256_unpackhi_epi8(g, zero),
                                   _mm256_unpackhi_epi8(b, zero), flaggedHigh);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lumas + x), _mm256_packus_epi16(low, high));
    const auto flagged = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_packs_epi16(flaggedLow, flaggedHigh)));
    if (flagged != 0) FixFlaggedLumas<order>(in, x, flagged, lumas);
  }
  return x;
}

const bool kHasAvx2 = __builtin_cpu_supports("avx2");

}  // namespace
#endif

template <LumaOrder order>
int LumaBytesAvx2(EffectRowIn in, std::uint8_t* lumas, int width) {
#ifdef HORALUNE_LUMA_AVX2
  if (kHasAvx2) return Kernel<order>(in, lumas, width);
#else
  (void)in, (void)lumas, (void)width;
#endif
  return 0;
}

template int LumaBytesAvx2<LumaOrder::RedGreenBlue>(EffectRowIn, std::uint8_t*, int);
template int LumaBytesAvx2<LumaOrder::GreenRedBlue>(EffectRowIn, std::uint8_t*, int);
template int LumaBytesAvx2<LumaOrder::BlueGreenRed>(EffectRowIn, std::uint8_t*, int);
