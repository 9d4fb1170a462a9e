// The AVX2 pieces of the luma frame kernels: 32 and 16 pixels at a time,
// shared by the AVX2 frame walker and the row ends of the AVX-512 one. The
// Windows build assembles every aligned vector move as an unaligned one
// (CMakeLists.txt), as MinGW does not keep 32-byte vectors aligned on the
// stack.
#pragma once
#if defined(__x86_64__) && defined(__GNUC__)
#define HORALUNE_LUMA_AVX2 1
#include <immintrin.h>

#include <cstdint>

#include "render/effect_bytes.h"
#include "render/effect_rows.h"
#include "render/luma_frame.h"

// The pieces that return vectors are only called from functions built for
// the same instruction set, so the ABI note GCC gives for them does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace luma_avx2 {

#define HORALUNE_AVX2 __attribute__((target("avx2")))

// The multipliers of LumaWords, kept in registers: the compiler would
// otherwise spell each product out in shifts and adds, which costs more.
struct Multipliers {
  __m256i rg37x73, b14, rg3x3, b2;  // byte pairs: (red, green) and (blue, red)
  __m256i inverse125;
};

HORALUNE_AVX2 inline __m256i Opaque(__m256i v) {
  __asm__("" : "+x"(v));
  return v;
}

HORALUNE_AVX2 inline Multipliers LumaMultipliers() {
  return {_mm256_set1_epi16(73 << 8 | 37), _mm256_set1_epi16(14), _mm256_set1_epi16(3 << 8 | 3),
          _mm256_set1_epi16(2), Opaque(_mm256_set1_epi16(30933))};
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
  // As in effect_rows.cpp: k = eighth times the inverse of 125, minus 1.
  const __m256i multiple = _mm256_sub_epi16(_mm256_mullo_epi16(eighth, k.inverse125), _mm256_set1_epi16(1));
  const __m256i rest =
      _mm256_or_si256(_mm256_and_si256(q, _mm256_set1_epi16(7)), _mm256_subs_epu16(multiple, _mm256_set1_epi16(523)));
  flagged = _mm256_cmpeq_epi16(rest, zero);
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

// r, g and b are spread.
template <bool stream>
HORALUNE_AVX2 inline void StorePixels(std::uint32_t* out, __m256i r, __m256i g, __m256i b) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i bgLow = _mm256_unpacklo_epi8(b, g), bgHigh = _mm256_unpackhi_epi8(b, g);
  const __m256i rLow = _mm256_unpacklo_epi8(r, zero), rHigh = _mm256_unpackhi_epi8(r, zero);
  const __m256i p[4] = {_mm256_unpacklo_epi16(bgLow, rLow), _mm256_unpackhi_epi16(bgLow, rLow),
                        _mm256_unpacklo_epi16(bgHigh, rHigh), _mm256_unpackhi_epi16(bgHigh, rHigh)};
  for (int k = 0; k < 4; ++k) Store<stream>(out + 8 * k, p[k]);
}

HORALUNE_AVX2 inline __m256i Load32(const std::uint8_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

// Thirty-two lumas from x into row.lumas; returns them, and as 16-bit lanes
// in low and high (pixels 0-7 and 16-23, 8-15 and 24-31).
template <LumaOrder order>
HORALUNE_AVX2 inline __m256i Lumas(const Multipliers& k, const LumaRow& row, int x, __m256i& low, __m256i& high) {
  const __m256i zero = _mm256_setzero_si256();
  const EffectRowIn in = row.in;
  const __m256i r = Load32(in.red + x), g = Load32(in.green + x), b = Load32(in.blue + x);
  // Unpacking and packing both work within 128-bit halves, so the bytes
  // come back in their order.
  __m256i flaggedLow, flaggedHigh;
  low = LumaWords(k, _mm256_unpacklo_epi8(r, g), _mm256_unpacklo_epi8(b, r), flaggedLow);
  high = LumaWords(k, _mm256_unpackhi_epi8(r, g), _mm256_unpackhi_epi8(b, r), flaggedHigh);
  __m256i y = _mm256_packus_epi16(low, high);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(row.lumas + x), y);
  const auto flagged = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_packs_epi16(flaggedLow, flaggedHigh)));
  if (__builtin_expect(flagged != 0, 0)) {
    FixFlaggedLumas<order>(in, x, flagged, row.lumas);
    y = Load32(row.lumas + x);
    low = _mm256_unpacklo_epi8(y, zero), high = _mm256_unpackhi_epi8(y, zero);
  }
  return y;
}

// Thirty-two lumas into row.lumas and their pixels into row.out, from x.
template <LumaOrder order, LumaOutput output, bool stream>
HORALUNE_AVX2 inline void Chunk(const Multipliers& k, const LumaRow& row, int x) {
  const __m256i zero = _mm256_setzero_si256();
  __m256i low, high;
  const __m256i y = Lumas<order>(k, row, x, low, high);
  std::uint32_t* out = row.out + x;
  switch (output) {
    case LumaOutput::Grey: {
      const __m256i v = Spread(y);
      StorePixels<stream>(out, v, v, v);
      break;
    }
    case LumaOutput::Sepia: {
      __m256i sr, sg, sb;
      SepiaBytes(Spread(y), sr, sg, sb);
      StorePixels<stream>(out, sr, sg, sb);
      break;
    }
    case LumaOutput::Emboss: {
      // luma - d + 128, clamped by the signed-to-unsigned pack.
      const __m256i d = Load32(row.ds + x);
      const __m256i bias = _mm256_set1_epi16(128);
      const __m256i vLow = _mm256_add_epi16(_mm256_sub_epi16(low, _mm256_unpacklo_epi8(d, zero)), bias);
      const __m256i vHigh = _mm256_add_epi16(_mm256_sub_epi16(high, _mm256_unpackhi_epi8(d, zero)), bias);
      const __m256i v = Spread(_mm256_packus_epi16(vLow, vHigh));
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
  }
}

// Sixteen lumas from x into row.lumas and their pixels into row.out: the
// row's end, where a 32-pixel chunk would mostly redo finished pixels. The
// sixteen pixels' products share one set of 16-bit lanes, in order.
template <LumaOrder order>
HORALUNE_AVX2 inline __m128i HalfLumas(const Multipliers& k, const LumaRow& row, int x) {
  const EffectRowIn in = row.in;
  const auto load = [](const std::uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
  const __m128i r = load(in.red + x), g = load(in.green + x), b = load(in.blue + x);
  __m256i flagged;
  const __m256i words = LumaWords(k, _mm256_set_m128i(_mm_unpackhi_epi8(r, g), _mm_unpacklo_epi8(r, g)),
                                  _mm256_set_m128i(_mm_unpackhi_epi8(b, r), _mm_unpacklo_epi8(b, r)), flagged);
  // Packing works within 128-bit halves: the first quadword of each holds
  // its eight lumas.
  __m128i y = _mm256_castsi256_si128(_mm256_permute4x64_epi64(_mm256_packus_epi16(words, words), 0x08));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(row.lumas + x), y);
  const __m128i marks = _mm256_castsi256_si128(_mm256_permute4x64_epi64(_mm256_packs_epi16(flagged, flagged), 0x08));
  const auto marked = static_cast<std::uint32_t>(_mm_movemask_epi8(marks));
  if (__builtin_expect(marked != 0, 0)) {
    FixFlaggedLumas<order>(in, x, marked, row.lumas);
    y = load(row.lumas + x);
  }
  return y;
}

template <LumaOrder order, LumaOutput output>
HORALUNE_AVX2 inline void HalfChunk(const Multipliers& k, const LumaRow& row, int x) {
  const auto load = [](const std::uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
  const __m128i y = HalfLumas<order>(k, row, x);
  std::uint32_t* out = row.out + x;
  switch (output) {
    case LumaOutput::Grey: effect_bytes::StorePixels<false>(out, y, y, y); break;
    case LumaOutput::Sepia: {
      __m128i sr, sg, sb;
      effect_bytes::SepiaBytes(y, sr, sg, sb);
      effect_bytes::StorePixels<false>(out, sr, sg, sb);
      break;
    }
    case LumaOutput::Emboss: {
      const __m128i v = effect_bytes::EmbossBytes(y, load(row.ds + x));
      effect_bytes::StorePixels<false>(out, v, v, v);
      break;
    }
    case LumaOutput::Table: effect_bytes::StoreTableColours(out, row.table, row.lumas + x); break;
  }
}

// The pixels of a row from x on, fewer than 32, by one chunk ending at the
// row's end: sixteen pixels where they do, else 32. Either writes some
// pixels again, with the same values.
template <LumaOrder order, LumaOutput output>
HORALUNE_AVX2 inline void RowEnd(const Multipliers& k, const LumaRow& row, int x) {
  if (x >= row.width) return;
  if (row.width - x <= 16) {
    HalfChunk<order, output>(k, row, row.width - 16);
  } else {
    Chunk<order, output, false>(k, row, row.width - 32);
  }
}

}  // namespace luma_avx2
#endif
