#include "render/luma_avx2.h"

// HORALUNE_BUILD_AVX2: set by the build where 32-byte vectors are safe (not MinGW).
#if defined(__x86_64__) && defined(__GNUC__) && defined(HORALUNE_BUILD_AVX2)
#define HORALUNE_LUMA_AVX2 1
#include <immintrin.h>

#include "render/effect_bytes.h"
// GCC 12 takes the "undefined" lanes inside its AVX-512 intrinsics for
// uninitialised variables.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#endif

#ifdef HORALUNE_LUMA_AVX2
namespace {

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
template <LumaOrder order, LumaOutput output>
HORALUNE_AVX2 inline void HalfChunk(const Multipliers& k, const LumaRow& row, int x) {
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

// The rows of a frame; the constants are set once for all of them.
template <LumaOrder order, LumaOutput output>
HORALUNE_AVX2 void Frame(const LumaFrame& f) {
  const Multipliers k = LumaMultipliers();
  const int width = f.width, height = f.height;
  const auto w = static_cast<std::size_t>(width);
  // Each luma row has a 0 before it, so that Emboss reads D straight from
  // the row above, one pixel to the left: 0 in the left column. The top and
  // bottom rows read theirs from `edge`, the whole row from its own D row.
  std::uint8_t* lumas[2] = {f.scratch + 1, f.scratch + w + 2};
  lumas[0][-1] = lumas[1][-1] = 0;
  std::uint8_t* edge = f.scratch + 2 * w + 2;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* here = lumas[y & 1];
    const std::uint8_t* ds = nullptr;
    if (output == LumaOutput::Emboss) {
      if (y == 0 || y == height - 1) {
        EmbossDs(nullptr, edge, width, y == 0, true);
        ds = edge;
      } else {
        // The right column's D is 255: the luma it would read is needed for
        // nothing else.
        std::uint8_t* above = lumas[(y + 1) & 1];
        above[width - 2] = 255;
        ds = above - 1;
      }
    }
    const std::size_t offset = static_cast<std::size_t>(y) * w;
    const LumaRow row{{f.red + offset, f.green + offset, f.blue + offset},
                      ds,
                      f.table,
                      here,
                      f.rows + static_cast<std::size_t>(height - 1 - y) * w,
                      width,
                      f.stream};
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
    RowEnd<order, output>(k, row, x);
  }
}

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

template <bool stream>
HORALUNE_AVX512 inline void Store16(std::uint32_t* out, __m512i p) {
  if (stream) {
    // Rows are only known to start on a 16-byte boundary.
    _mm_stream_si128(reinterpret_cast<__m128i*>(out), _mm512_castsi512_si128(p));
    _mm_stream_si128(reinterpret_cast<__m128i*>(out + 4), _mm512_extracti32x4_epi32(p, 1));
    _mm_stream_si128(reinterpret_cast<__m128i*>(out + 8), _mm512_extracti32x4_epi32(p, 2));
    _mm_stream_si128(reinterpret_cast<__m128i*>(out + 12), _mm512_extracti32x4_epi32(p, 3));
  } else {
    _mm512_storeu_si512(out, p);
  }
}

// Sixty-four lumas from x and their table colours.
template <LumaOrder order, bool stream>
HORALUNE_AVX512 inline void PlanesChunk(const Multipliers& k, const PlaneRegisters& p, const LumaRow& row, int x) {
  __m256i low, high;
  const __m256i first = Lumas<order>(k, row, x, low, high);
  const __m256i second = Lumas<order>(k, row, x + 32, low, high);
  // The unpacks below work within 128-bit quarters: the lumas are spread in
  // groups of four (quarter q holds pixels 4q.., 16+4q.., 32+4q.., 48+4q..)
  // so that each result holds sixteen pixels in order.
  const __m512i spread = _mm512_setr_epi32(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
  const __m512i index =
      _mm512_permutexvar_epi32(spread, _mm512_inserti64x4(_mm512_castsi256_si512(first), second, 1));
  const __mmask64 top = _mm512_movepi8_mask(index);
  const __m512i r = Look(p.red, index, top), g = Look(p.green, index, top), b = Look(p.blue, index, top);
  const __m512i zero = _mm512_setzero_si512();
  const __m512i bgLow = _mm512_unpacklo_epi8(b, g), bgHigh = _mm512_unpackhi_epi8(b, g);
  const __m512i rLow = _mm512_unpacklo_epi8(r, zero), rHigh = _mm512_unpackhi_epi8(r, zero);
  std::uint32_t* out = row.out + x;
  Store16<stream>(out, _mm512_unpacklo_epi16(bgLow, rLow));
  Store16<stream>(out + 16, _mm512_unpackhi_epi16(bgLow, rLow));
  Store16<stream>(out + 32, _mm512_unpacklo_epi16(bgHigh, rHigh));
  Store16<stream>(out + 48, _mm512_unpackhi_epi16(bgHigh, rHigh));
}

// Thirty-two: for the end of a row.
template <LumaOrder order>
HORALUNE_AVX512 inline void PlanesChunk32(const Multipliers& k, const PlaneRegisters& p, const LumaRow& row, int x) {
  __m256i low, high;
  const __m512i index = _mm512_zextsi256_si512(Spread(Lumas<order>(k, row, x, low, high)));
  const __mmask64 top = _mm512_movepi8_mask(index);
  StorePixels<false>(row.out + x, _mm512_castsi512_si256(Look(p.red, index, top)),
                     _mm512_castsi512_si256(Look(p.green, index, top)),
                     _mm512_castsi512_si256(Look(p.blue, index, top)));
}

template <LumaOrder order, LumaOutput output>
HORALUNE_AVX512 void PlanesFrame(const LumaFrame& f) {
  const Multipliers k = LumaMultipliers();
  const PlaneRegisters p = LoadPlanes(*f.planes);
  const int width = f.width, height = f.height;
  const auto w = static_cast<std::size_t>(width);
  for (int y = 0; y < height; ++y) {
    const std::size_t offset = static_cast<std::size_t>(y) * w;
    const LumaRow row{{f.red + offset, f.green + offset, f.blue + offset},
                      nullptr,
                      f.table,
                      f.scratch,
                      f.rows + static_cast<std::size_t>(height - 1 - y) * w,
                      width,
                      f.stream};
    int x = 0;
    if (row.stream) {
      const int misaligned = static_cast<int>((reinterpret_cast<std::uintptr_t>(row.out) & 15) / 4);
      if (misaligned != 0) {
        PlanesChunk<order, false>(k, p, row, 0);
        x = 4 - misaligned;
      }
      for (; x + 64 <= width; x += 64) PlanesChunk<order, true>(k, p, row, x);
    }
    for (; x + 64 <= width; x += 64) PlanesChunk<order, false>(k, p, row, x);
    if (width - x >= 32) {
      PlanesChunk32<order>(k, p, row, x);
      x += 32;
    }
    RowEnd<order, output>(k, row, x);
  }
}

// Asked once; the explicit init makes the answer right even while other
// static initialisers run.
const bool kHasAvx2 = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}();

const bool kHasAvx512 = [] {
  __builtin_cpu_init();
  return kHasAvx2 && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
         __builtin_cpu_supports("avx512vbmi");
}();

}  // namespace
#endif

namespace {
bool wideKernelsAllowed = true;
}  // namespace

TablePlanes SplitTable(const std::uint32_t* table) {
  TablePlanes planes{};
  for (int i = 0; i < 256; ++i) {
    planes.red[i] = static_cast<std::uint8_t>(table[i] >> 16);
    planes.green[i] = static_cast<std::uint8_t>(table[i] >> 8);
    planes.blue[i] = static_cast<std::uint8_t>(table[i]);
  }
  return planes;
}

void AllowWideKernels(bool allow) { wideKernelsAllowed = allow; }

template <LumaOrder order, LumaOutput output>
bool LumaFrameAvx2(const LumaFrame& frame) {
#ifdef HORALUNE_LUMA_AVX2
  if (!kHasAvx2 || !wideKernelsAllowed || frame.width < 32) return false;
  constexpr bool tinted = output == LumaOutput::Sepia || output == LumaOutput::Table;
  if (tinted && frame.planes != nullptr && kHasAvx512 && frame.width >= 64) {
    PlanesFrame<order, output>(frame);
  } else {
    Frame<order, output>(frame);
  }
  return true;
#else
  (void)frame;
  return false;
#endif
}

#define HORALUNE_INSTANCE(order)                                     \
  template bool LumaFrameAvx2<order, LumaOutput::Grey>(const LumaFrame&);   \
  template bool LumaFrameAvx2<order, LumaOutput::Sepia>(const LumaFrame&);  \
  template bool LumaFrameAvx2<order, LumaOutput::Emboss>(const LumaFrame&); \
  template bool LumaFrameAvx2<order, LumaOutput::Table>(const LumaFrame&);
HORALUNE_INSTANCE(LumaOrder::RedGreenBlue)
HORALUNE_INSTANCE(LumaOrder::GreenRedBlue)
HORALUNE_INSTANCE(LumaOrder::BlueGreenRed)
