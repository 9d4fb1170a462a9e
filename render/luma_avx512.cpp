#include "render/luma_avx512.h"

#include "render/luma_avx2_chunks.h"

#ifdef HORALUNE_LUMA_AVX2
// GCC 12 takes the "undefined" lanes inside its AVX-512 intrinsics for
// uninitialised variables.
#ifndef __clang__
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#pragma GCC diagnostic ignored "-Wuninitialized"

namespace {

using namespace luma_avx2;

#define HORALUNE_AVX512 __attribute__((target("avx2,avx512f,avx512bw,avx512vbmi")))

// A table's planes in registers: 64 entries each.
struct PlaneRegisters {
  __m512i red[4], green[4], blue[4];
};

HORALUNE_AVX512 inline PlaneRegisters LoadPlanes(const TablePlanes& planes) {
  PlaneRegisters p;
  for (int k = 0; k < 4; ++k) {
    p.red[k] = _mm512_loadu_si512(planes.red + 64 * k);
    p.green[k] = _mm512_loadu_si512(planes.green + 64 * k);
    p.blue[k] = _mm512_loadu_si512(planes.blue + 64 * k);
  }
  return p;
}

// A plane's entries for 64 indices: two 128-entry byte permutes, chosen by
// each index's top bit.
HORALUNE_AVX512 inline __m512i Look(const __m512i* plane, __m512i index, __mmask64 top) {
  return _mm512_mask_blend_epi8(top, _mm512_permutex2var_epi8(plane[0], index, plane[1]),
                                _mm512_permutex2var_epi8(plane[2], index, plane[3]));
}

// LumaWords on 32 lanes, the flag as a mask: q a multiple of 8 and the
// eighth 125 k with 0 < k.
struct Multipliers512 {
  __m512i rg37x73, b14, rg3x3, b2, inverse125;
};

HORALUNE_AVX512 inline Multipliers512 LumaMultipliers512() {
  return {_mm512_set1_epi16(73 << 8 | 37), _mm512_set1_epi16(14), _mm512_set1_epi16(3 << 8 | 3),
          _mm512_set1_epi16(2), _mm512_set1_epi16(30933)};
}

HORALUNE_AVX512 inline __m512i LumaWords(const Multipliers512& k, __m512i rg, __m512i br, __mmask32& flagged) {
  const __m512i p = _mm512_add_epi16(_mm512_maddubs_epi16(rg, k.rg37x73), _mm512_maddubs_epi16(br, k.b14));
  const __m512i q = _mm512_add_epi16(_mm512_maddubs_epi16(rg, k.rg3x3), _mm512_maddubs_epi16(br, k.b2));
  const __m512i eighth = _mm512_add_epi16(p, _mm512_srli_epi16(q, 3));
  const __m512i luma = _mm512_srli_epi16(_mm512_mulhi_epu16(eighth, _mm512_set1_epi16(static_cast<short>(static_cast<std::uint16_t>(33555)))), 6);
  const __m512i multiple = _mm512_sub_epi16(_mm512_mullo_epi16(eighth, k.inverse125), _mm512_set1_epi16(1));
  flagged = _mm512_mask_cmple_epu16_mask(_mm512_testn_epi16_mask(q, _mm512_set1_epi16(7)), multiple,
                                         _mm512_set1_epi16(523));
  return luma;
}

// Sixty-four lumas from x into row.lumas, in order.
template <LumaOrder order>
HORALUNE_AVX512 inline __m512i Lumas64(const Multipliers512& k, const LumaRow& row, int x) {
  const EffectRowIn in = row.in;
  const __m512i r = _mm512_loadu_si512(in.red + x), g = _mm512_loadu_si512(in.green + x),
                b = _mm512_loadu_si512(in.blue + x);
  // Unpacking and packing both work within 128-bit quarters, so the bytes
  // come back in their order.
  __mmask32 flaggedLow, flaggedHigh;
  const __m512i low = LumaWords(k, _mm512_unpacklo_epi8(r, g), _mm512_unpacklo_epi8(b, r), flaggedLow);
  const __m512i high = LumaWords(k, _mm512_unpackhi_epi8(r, g), _mm512_unpackhi_epi8(b, r), flaggedHigh);
  __m512i y = _mm512_packus_epi16(low, high);
  _mm512_storeu_si512(row.lumas + x, y);
  if (__builtin_expect(!_kortestz_mask32_u8(flaggedLow, flaggedHigh), 0)) {
    const __m512i marks = _mm512_packs_epi16(_mm512_movm_epi16(flaggedLow), _mm512_movm_epi16(flaggedHigh));
    const std::uint64_t bits = _mm512_movepi8_mask(marks);
    FixFlaggedLumas<order>(in, x, static_cast<std::uint32_t>(bits), row.lumas);
    FixFlaggedLumas<order>(in, x + 32, static_cast<std::uint32_t>(bits >> 32), row.lumas);
    y = _mm512_loadu_si512(row.lumas + x);
  }
  return y;
}

// The unpacks of StorePixels64 work within 128-bit quarters: the bytes are
// spread in groups of four (quarter q holds pixels 4q.., 16+4q.., 32+4q..,
// 48+4q..) so that each result holds sixteen pixels in order.
HORALUNE_AVX512 inline __m512i Spread64(__m512i v) {
  return _mm512_permutexvar_epi32(_mm512_setr_epi32(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15), v);
}

// Sixty-four pixels from their spread bytes, as 0x00RRGGBB. Always through
// the cache: streamed stores made these kernels two to four times slower on
// the processors we measured, even on frames larger than the L2 cache.
HORALUNE_AVX512 inline void StorePixels64(std::uint32_t* out, __m512i r, __m512i g, __m512i b) {
  const __m512i zero = _mm512_setzero_si512();
  const __m512i bgLow = _mm512_unpacklo_epi8(b, g), bgHigh = _mm512_unpackhi_epi8(b, g);
  const __m512i rLow = _mm512_unpacklo_epi8(r, zero), rHigh = _mm512_unpackhi_epi8(r, zero);
  _mm512_storeu_si512(out, _mm512_unpacklo_epi16(bgLow, rLow));
  _mm512_storeu_si512(out + 16, _mm512_unpackhi_epi16(bgLow, rLow));
  _mm512_storeu_si512(out + 32, _mm512_unpacklo_epi16(bgHigh, rHigh));
  _mm512_storeu_si512(out + 48, _mm512_unpackhi_epi16(bgHigh, rHigh));
}

// luma - d + 128 clamped to 0..255, in saturating bytes: one of the two
// differences is 0.
HORALUNE_AVX512 inline __m512i EmbossBytes64(__m512i y, __m512i d) {
  const __m512i bias = _mm512_set1_epi8(static_cast<char>(128));
  return _mm512_subs_epu8(_mm512_adds_epu8(bias, _mm512_subs_epu8(y, d)), _mm512_subs_epu8(d, y));
}

// Sixty-four lumas into row.lumas and their pixels into row.out, from x.
template <LumaOrder order, LumaOutput output>
HORALUNE_AVX512 inline void Chunk64(const Multipliers512& k, const PlaneRegisters& p, const LumaRow& row, int x) {
  const __m512i y = Lumas64<order>(k, row, x);
  std::uint32_t* out = row.out + x;
  switch (output) {
    case LumaOutput::Grey: {
      const __m512i v = Spread64(y);
      StorePixels64(out, v, v, v);
      break;
    }
    case LumaOutput::Emboss: {
      const __m512i v = Spread64(EmbossBytes64(y, _mm512_loadu_si512(row.ds + x)));
      StorePixels64(out, v, v, v);
      break;
    }
    case LumaOutput::Sepia:
    case LumaOutput::Table: {
      const __m512i index = Spread64(y);
      const __mmask64 top = _mm512_movepi8_mask(index);
      StorePixels64(out, Look(p.red, index, top), Look(p.green, index, top), Look(p.blue, index, top));
      break;
    }
  }
}

// Sixteen, for the end of a row: the table colours from the planes.
template <LumaOrder order, LumaOutput output>
HORALUNE_AVX512 inline void RowEnd16(const Multipliers& k, const PlaneRegisters& p, const LumaRow& row, int x) {
  if (output != LumaOutput::Sepia && output != LumaOutput::Table) {
    HalfChunk<order, output>(k, row, x);
    return;
  }
  const __m512i index = _mm512_zextsi128_si512(HalfLumas<order>(k, row, x));
  const __mmask64 top = _mm512_movepi8_mask(index);
  effect_bytes::StorePixels<false>(row.out + x, _mm512_castsi512_si128(Look(p.red, index, top)),
                                   _mm512_castsi512_si128(Look(p.green, index, top)),
                                   _mm512_castsi512_si128(Look(p.blue, index, top)));
}

// Thirty-two, for the end of a row.
template <LumaOrder order, LumaOutput output>
HORALUNE_AVX512 inline void RowEnd32(const Multipliers& k, const PlaneRegisters& p, const LumaRow& row, int x) {
  if (output != LumaOutput::Sepia && output != LumaOutput::Table) {
    Chunk<order, output, false>(k, row, x);
    return;
  }
  __m256i low, high;
  const __m512i index = _mm512_zextsi256_si512(Spread(Lumas<order>(k, row, x, low, high)));
  const __mmask64 top = _mm512_movepi8_mask(index);
  StorePixels<false>(row.out + x, _mm512_castsi512_si256(Look(p.red, index, top)),
                     _mm512_castsi512_si256(Look(p.green, index, top)),
                     _mm512_castsi512_si256(Look(p.blue, index, top)));
}

// The rows of a frame at least 64 pixels wide, 64 pixels at a time, stored
// through the cache.
template <LumaOrder order, LumaOutput output>
HORALUNE_AVX512 void Frame64(const LumaFrame& f) {
  const Multipliers512 k = LumaMultipliers512();
  const Multipliers k32 = LumaMultipliers();
  constexpr bool tinted = output == LumaOutput::Sepia || output == LumaOutput::Table;
  PlaneRegisters p{};
  if (tinted) p = LoadPlanes(*f.planes);
  const int width = f.width;
  LumaFrameRows rows(f);
  for (int y = 0; y < f.height; ++y) {
    const LumaRow row = rows.Row<output>(y, false);
    int x = 0;
    for (; x + 64 <= width; x += 64) Chunk64<order, output>(k, p, row, x);
    // The rest by one piece ending at the row's end, writing some pixels
    // again with the same values.
    const int rest = width - x;
    if (rest <= 0) continue;
    if (rest <= 16) {
      RowEnd16<order, output>(k32, p, row, width - 16);
    } else if (rest <= 32) {
      RowEnd32<order, output>(k32, p, row, width - 32);
    } else {
      Chunk64<order, output>(k, p, row, width - 64);
    }
  }
}

}  // namespace

template <LumaOrder order, LumaOutput output>
void LumaFrameAvx512(const LumaFrame& frame) {
  Frame64<order, output>(frame);
}

#define HORALUNE_INSTANCE(order)                                           \
  template void LumaFrameAvx512<order, LumaOutput::Grey>(const LumaFrame&);   \
  template void LumaFrameAvx512<order, LumaOutput::Sepia>(const LumaFrame&);  \
  template void LumaFrameAvx512<order, LumaOutput::Emboss>(const LumaFrame&); \
  template void LumaFrameAvx512<order, LumaOutput::Table>(const LumaFrame&);
HORALUNE_INSTANCE(LumaOrder::RedGreenBlue)
HORALUNE_INSTANCE(LumaOrder::GreenRedBlue)
HORALUNE_INSTANCE(LumaOrder::BlueGreenRed)
#endif
