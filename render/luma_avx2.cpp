#include "render/luma_avx2.h"

// HORALUNE_BUILD_AVX2: set by the build where 32-byte vectors are safe (not MinGW).
#if defined(__x86_64__) && defined(__GNUC__) && defined(HORALUNE_BUILD_AVX2)
#define HORALUNE_LUMA_AVX2 1
#include <immintrin.h>
#endif

#ifdef HORALUNE_LUMA_AVX2
namespace {

#define HORALUNE_AVX2 __attribute__((target("avx2")))

// The multipliers of LumaWords, kept in registers: the compiler would
// otherwise spell each product out in shifts and adds, which costs more.
struct Multipliers {
  __m256i rg37x73, b14, rg3x3, b2;  // byte pairs: (red, green) and (blue, red)
  __m256i k125;
};

HORALUNE_AVX2 inline __m256i Opaque(__m256i v) {
  __asm__("" : "+x"(v));
  return v;
}

// LumaWords of effect_rows.cpp on sixteen 16-bit lanes, from red and green
// bytes interleaved (rg) and blue and red interleaved (br): multiply-adds of
// byte pairs give P = 37 r + 73 g + 14 b and Q = 3 r + 3 g + 2 b directly.
HORALUNE_AVX2 inline __m256i LumaWords(const Multipliers& k, __m256i rg, __m256i br, __m256i& flagged) {
  const __m256i p = _mm256_add_epi16(_mm256_maddubs_epi16(rg, k.rg37x73), _mm256_maddubs_epi16(br, k.b14));
  const __m256i q = _mm256_add_epi16(_mm256_maddubs_epi16(rg, k.rg3x3), _mm256_maddubs_epi16(br, k.b2));
  const __m256i eighth = _mm256_add_epi16(p, _mm256_srli_epi16(q, 3));
  const __m256i luma = _mm256_srli_epi16(_mm256_mulhi_epu16(eighth, _mm256_set1_epi16(static_cast<short>(static_cast<std::uint16_t>(33555)))), 6);
  const __m256i zero = _mm256_setzero_si256();
  const __m256i rest = _mm256_or_si256(_mm256_and_si256(q, _mm256_set1_epi16(7)),
                                       _mm256_sub_epi16(eighth, _mm256_mullo_epi16(luma, k.k125)));
  flagged = _mm256_andnot_si256(_mm256_cmpeq_epi16(luma, zero), _mm256_cmpeq_epi16(rest, zero));
  return luma;
}

// SepiaBytes of effect_rows.cpp on 32 lumas.
HORALUNE_AVX2 inline void SepiaBytes(__m256i y, __m256i& r, __m256i& g, __m256i& b) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i t = _mm256_min_epu8(y, _mm256_xor_si256(y, _mm256_set1_epi8(-1)));
  const __m256i tLow = _mm256_unpacklo_epi8(t, zero), tHigh = _mm256_unpackhi_epi8(t, zero);
  const __m256i strong = _mm256_packus_epi16(_mm256_mulhi_epu16(tLow, _mm256_set1_epi16(21158)),
                                             _mm256_mulhi_epu16(tHigh, _mm256_set1_epi16(21158)));
  const __m256i weak = _mm256_packus_epi16(_mm256_mulhi_epu16(tLow, _mm256_set1_epi16(2065)),
                                           _mm256_mulhi_epu16(tHigh, _mm256_set1_epi16(2065)));
  r = _mm256_adds_epu8(y, strong);
  g = _mm256_adds_epu8(y, weak);
  b = _mm256_subs_epu8(y, strong);
}

// Thirty-two pixels from their bytes, as 0x00RRGGBB. The unpacks work within
// 128-bit halves; the bytes are first spread over the halves in groups of
// four (0-3, 8-11, 16-19, 24-27 in the low one) so that every result holds
// eight pixels in order.
HORALUNE_AVX2 inline __m256i Spread(__m256i v) {
  return _mm256_permutevar8x32_epi32(v, _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7));
}

// Eight pixels; streamed ones 16 bytes at a time, as rows are only known to
// start on a 16-byte boundary.
template <bool stream>
HORALUNE_AVX2 inline void Store(std::uint32_t* out, __m256i p) {
  if (stream) {
    _mm_stream_si128(reinterpret_cast<__m128i*>(out), _mm256_castsi256_si128(p));
    _mm_stream_si128(reinterpret_cast<__m128i*>(out + 4), _mm256_extracti128_si256(p, 1));
  } else {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), p);
  }
}

template <bool stream>
HORALUNE_AVX2 inline void StorePixels(std::uint32_t* out, __m256i r, __m256i g, __m256i b) {
  const __m256i zero = _mm256_setzero_si256();
  r = Spread(r), g = Spread(g), b = Spread(b);
  const __m256i bgLow = _mm256_unpacklo_epi8(b, g), bgHigh = _mm256_unpackhi_epi8(b, g);
  const __m256i rLow = _mm256_unpacklo_epi8(r, zero), rHigh = _mm256_unpackhi_epi8(r, zero);
  const __m256i p[4] = {_mm256_unpacklo_epi16(bgLow, rLow), _mm256_unpackhi_epi16(bgLow, rLow),
                        _mm256_unpacklo_epi16(bgHigh, rHigh), _mm256_unpackhi_epi16(bgHigh, rHigh)};
  for (int k = 0; k < 4; ++k) Store<stream>(out + 8 * k, p[k]);
}

HORALUNE_AVX2 inline __m256i Load32(const std::uint8_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

// Thirty-two lumas into row.lumas and their pixels into row.out, from x.
template <LumaOrder order, LumaOutput output, bool stream>
HORALUNE_AVX2 inline void Chunk(const Multipliers& k, const LumaRow& row, int x) {
  const __m256i zero = _mm256_setzero_si256();
  const EffectRowIn in = row.in;
  const __m256i r = Load32(in.red + x), g = Load32(in.green + x), b = Load32(in.blue + x);
  // Unpacking and packing both work within 128-bit halves, so the bytes
  // come back in their order.
  __m256i flaggedLow, flaggedHigh;
  __m256i low = LumaWords(k, _mm256_unpacklo_epi8(r, g), _mm256_unpacklo_epi8(b, r), flaggedLow);
  __m256i high = LumaWords(k, _mm256_unpackhi_epi8(r, g), _mm256_unpackhi_epi8(b, r), flaggedHigh);
  __m256i y = _mm256_packus_epi16(low, high);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(row.lumas + x), y);
  const auto flagged = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_packs_epi16(flaggedLow, flaggedHigh)));
  if (flagged != 0) {
    FixFlaggedLumas<order>(in, x, flagged, row.lumas);
    y = Load32(row.lumas + x);
    low = _mm256_unpacklo_epi8(y, zero), high = _mm256_unpackhi_epi8(y, zero);
  }
  std::uint32_t* out = row.out + x;
  switch (output) {
    case LumaOutput::Grey: StorePixels<stream>(out, y, y, y); break;
    case LumaOutput::Sepia: {
      __m256i sr, sg, sb;
      SepiaBytes(y, sr, sg, sb);
      StorePixels<stream>(out, sr, sg, sb);
      break;
    }
    case LumaOutput::Emboss: {
      // luma - d + 128, clamped by the signed-to-unsigned pack.
      const __m256i d = Load32(row.ds + x);
      const __m256i bias = _mm256_set1_epi16(128);
      const __m256i vLow = _mm256_add_epi16(_mm256_sub_epi16(low, _mm256_unpacklo_epi8(d, zero)), bias);
      const __m256i vHigh = _mm256_add_epi16(_mm256_sub_epi16(high, _mm256_unpackhi_epi8(d, zero)), bias);
      const __m256i v = _mm256_packus_epi16(vLow, vHigh);
      StorePixels<stream>(out, v, v, v);
      break;
    }
    case LumaOutput::Table: {
      const std::uint8_t* l = row.lumas + x;
      const std::uint32_t* t = row.table;
      for (int j = 0; j < 32; j += 8) {
        Store<stream>(out + j, _mm256_setr_epi32(static_cast<int>(t[l[j]]), static_cast<int>(t[l[j + 1]]),
                                                 static_cast<int>(t[l[j + 2]]), static_cast<int>(t[l[j + 3]]),
                                                 static_cast<int>(t[l[j + 4]]), static_cast<int>(t[l[j + 5]]),
                                                 static_cast<int>(t[l[j + 6]]), static_cast<int>(t[l[j + 7]])));
      }
      break;
    }
    case LumaOutput::LumasOnly: break;
  }
}

template <LumaOrder order, LumaOutput output>
HORALUNE_AVX2 int Kernel(const LumaRow& row) {
  const Multipliers k{_mm256_set1_epi16(73 << 8 | 37), _mm256_set1_epi16(14), _mm256_set1_epi16(3 << 8 | 3),
                      _mm256_set1_epi16(2), Opaque(_mm256_set1_epi16(125))};
  const int width = row.width;
  int x = 0;
  if (row.stream) {
    // As in the SSE2 kernels: the pixels before the first 16-byte boundary
    // come from one chunk stored in place.
    const int misaligned = static_cast<int>((reinterpret_cast<std::uintptr_t>(row.out) & 15) / 4);
    if (misaligned != 0) {
      Chunk<order, output, false>(k, row, 0);
      x = 4 - misaligned;
    }
    for (; x + 32 <= width; x += 32) Chunk<order, output, true>(k, row, x);
  }
  for (; x + 32 <= width; x += 32) Chunk<order, output, false>(k, row, x);
  // The last chunk ends at the row's end, writing some pixels again.
  if (x < width) Chunk<order, output, false>(k, row, width - 32);
  return width;
}

// Asked once; the explicit init makes the answer right even while other
// static initialisers run.
const bool kHasAvx2 = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}();

}  // namespace
#endif

namespace {
bool wideKernelsAllowed = true;
}  // namespace

void AllowWideKernels(bool allow) { wideKernelsAllowed = allow; }
bool WideKernelsAllowed() { return wideKernelsAllowed; }

template <LumaOrder order, LumaOutput output>
int LumaPixelsAvx2(const LumaRow& row) {
#ifdef HORALUNE_LUMA_AVX2
  if (kHasAvx2 && wideKernelsAllowed && row.width >= 32) return Kernel<order, output>(row);
#else
  (void)row;
#endif
  return 0;
}

#define HORALUNE_INSTANCE(order)                                       \
  template int LumaPixelsAvx2<order, LumaOutput::Grey>(const LumaRow&);   \
  template int LumaPixelsAvx2<order, LumaOutput::Sepia>(const LumaRow&);  \
  template int LumaPixelsAvx2<order, LumaOutput::Emboss>(const LumaRow&); \
  template int LumaPixelsAvx2<order, LumaOutput::Table>(const LumaRow&);  \
  template int LumaPixelsAvx2<order, LumaOutput::LumasOnly>(const LumaRow&);
HORALUNE_INSTANCE(LumaOrder::RedGreenBlue)
HORALUNE_INSTANCE(LumaOrder::GreenRedBlue)
HORALUNE_INSTANCE(LumaOrder::BlueGreenRed)
