#include "render/effect_rows.h"

#include <emmintrin.h>

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "render/effect_bytes.h"


namespace {

using effect_bytes::EmbossBytes;
using effect_bytes::SepiaBytes;
using effect_bytes::StorePixels;

constexpr int kChunk = 16;

inline __m128i Load(const std::uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

constexpr std::uint32_t Pack(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return r << 16 | g << 8 | b;
}

// Writes a row: chunk(x, stream) stores the sixteen pixels from x, one(x)
// gives pixel x. When streaming, the pixels before the first 16-byte boundary
// are written one by one.
template <typename Chunk, typename One>
inline void WriteRow(std::uint32_t* out, int width, bool stream, Chunk chunk, One one) {
  int x = 0;
  if (stream) {
    for (; x < width && (reinterpret_cast<std::uintptr_t>(out + x) & 15) != 0; ++x) out[x] = one(x);
    for (; x + kChunk <= width; x += kChunk) chunk(x, std::true_type{});
  }
  for (; x + kChunk <= width; x += kChunk) chunk(x, std::false_type{});
  for (; x < width; ++x) out[x] = one(x);
}

// 128 - |c - 127| per byte: bytes of 128 and above become 255 - c, the
// others c + 1.
inline __m128i SolarizeBytes(__m128i c) {
  const __m128i high = _mm_cmplt_epi8(c, _mm_setzero_si128());  // signed: c >= 128
  return _mm_add_epi8(_mm_xor_si128(c, high), _mm_andnot_si128(high, _mm_set1_epi8(1)));
}

inline std::uint32_t Solarize(std::uint32_t c) { return c >= 128 ? 255 - c : c + 1; }

// Lumas of eight pixels (16-bit lanes) without floating point. With
// N = 299 r + 587 g + 114 b, the double sum is N / 1000 to within 1e-12 and a
// non-integral N / 1000 is at least 0.001 from an integer, so the truncated
// sum is N / 1000 rounded down, except where N is a non-zero multiple of
// 1000: there rounding may land just below the integer, and those lanes are
// flagged for the double computation. N / 1000 is taken as
// (P + (Q >> 3)) / 125 with N = 8 P + Q, P = 37 r + 73 g + 14 b and
// Q = 3 r + 3 g + 2 b, so that every step fits 16 bits; the division by 125
// is a multiply-high exact for the whole range (checked by the tests).
// The multipliers are kept in registers: the compiler would otherwise spell
// each product out in shifts and adds, which costs more.
struct Multipliers {
  __m128i k37, k73, k14, k3, inverse125;
};

inline __m128i Opaque(__m128i v) {
  __asm__("" : "+x"(v));
  return v;
}

inline Multipliers LumaMultipliers() {
  return {Opaque(_mm_set1_epi16(37)), Opaque(_mm_set1_epi16(73)), Opaque(_mm_set1_epi16(14)),
          Opaque(_mm_set1_epi16(3)), Opaque(_mm_set1_epi16(30933))};
}

inline __m128i LumaWords(const Multipliers& kk, __m128i r, __m128i g, __m128i b, __m128i& flagged) {
  const __m128i p = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(r, kk.k37), _mm_mullo_epi16(g, kk.k73)),
                                  _mm_mullo_epi16(b, kk.k14));
  const __m128i q = _mm_add_epi16(_mm_mullo_epi16(_mm_add_epi16(r, g), kk.k3), _mm_add_epi16(b, b));
  const __m128i eighth = _mm_add_epi16(p, _mm_srli_epi16(q, 3));  // N / 8 rounded down
  const __m128i luma = _mm_srli_epi16(_mm_mulhi_epu16(eighth, _mm_set1_epi16(static_cast<short>(static_cast<std::uint16_t>(33555)))), 6);
  const __m128i zero = _mm_setzero_si128();
  // N a non-zero multiple of 1000: nothing left over from the eighth, and
  // the eighth 125 k with 0 < k: times 30933, the inverse of 125 modulo
  // 2^16, it becomes k, and every other eighth something above 524.
  const __m128i k = _mm_sub_epi16(_mm_mullo_epi16(eighth, kk.inverse125), _mm_set1_epi16(1));
  const __m128i rest = _mm_or_si128(_mm_and_si128(q, _mm_set1_epi16(7)), _mm_subs_epu16(k, _mm_set1_epi16(523)));
  flagged = _mm_cmpeq_epi16(rest, zero);
  return luma;
}

template <LumaOrder order>
inline void LumaChunk(const Multipliers& k, EffectRowIn in, int x, std::uint8_t* lumas) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i r = Load(in.red + x), g = Load(in.green + x), b = Load(in.blue + x);
  __m128i flaggedLow, flaggedHigh;
  const __m128i low = LumaWords(k, _mm_unpacklo_epi8(r, zero), _mm_unpacklo_epi8(g, zero),
                                _mm_unpacklo_epi8(b, zero), flaggedLow);
  const __m128i high = LumaWords(k, _mm_unpackhi_epi8(r, zero), _mm_unpackhi_epi8(g, zero),
                                 _mm_unpackhi_epi8(b, zero), flaggedHigh);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(lumas + x), _mm_packus_epi16(low, high));
  const int flagged = _mm_movemask_epi8(_mm_packs_epi16(flaggedLow, flaggedHigh));
  if (flagged != 0) FixFlaggedLumas<order>(in, x, static_cast<std::uint32_t>(flagged), lumas);
}

inline std::uint32_t Grey(std::uint32_t v) { return v * 0x010101u; }

inline std::uint32_t EmbossGrey(int luma, int d) {
  int v = luma - d + 128;
  v = v < 0 ? 0 : v;
  v = v > 255 ? 255 : v;
  return Grey(static_cast<std::uint32_t>(v));
}


}  // namespace

void EmbossDs(const std::uint8_t* above, std::uint8_t* ds, int width, bool topRow, bool bottomRow) {
  if (topRow) {
    std::memset(ds, 0, static_cast<std::size_t>(width));
    return;
  }
  ds[0] = 0;
  if (width == 1) return;
  if (bottomRow) {
    std::memset(ds + 1, 255, static_cast<std::size_t>(width - 1));
    return;
  }
  std::memcpy(ds + 1, above, static_cast<std::size_t>(width - 2));
  ds[width - 1] = 255;
}

std::uint32_t SepiaColour(int y) {
  const int tint = y <= 127 ? y : 255 - y;
  int r = y + (41 * tint) / 127, g = y + (4 * tint) / 127, b = y - (41 * tint) / 127;
  r = r > 255 ? 255 : r;
  g = g > 255 ? 255 : g;
  b = b < 0 ? 0 : b;
  return Pack(static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(g), static_cast<std::uint32_t>(b));
}

void NormalPixels(EffectRowIn in, std::uint32_t* out, int width, bool stream) {
  WriteRow(
      out, width, stream,
      [&](int x, auto s) {
        StorePixels<decltype(s)::value>(out + x, Load(in.red + x), Load(in.green + x), Load(in.blue + x));
      },
      [&](int x) { return Pack(in.red[x], in.green[x], in.blue[x]); });
}

void NegativePixels(EffectRowIn in, std::uint32_t* out, int width, bool stream) {
  const __m128i ones = _mm_set1_epi8(-1);
  WriteRow(
      out, width, stream,
      [&](int x, auto s) {
        StorePixels<decltype(s)::value>(out + x, _mm_xor_si128(Load(in.red + x), ones),
                                        _mm_xor_si128(Load(in.green + x), ones),
                                        _mm_xor_si128(Load(in.blue + x), ones));
      },
      [&](int x) { return Pack(in.red[x], in.green[x], in.blue[x]) ^ 0xFFFFFFu; });
}

void SolarizationPixels(EffectRowIn in, std::uint32_t* out, int width, bool stream) {
  WriteRow(
      out, width, stream,
      [&](int x, auto s) {
        StorePixels<decltype(s)::value>(out + x, SolarizeBytes(Load(in.red + x)),
                                        SolarizeBytes(Load(in.green + x)), SolarizeBytes(Load(in.blue + x)));
      },
      [&](int x) { return Pack(Solarize(in.red[x]), Solarize(in.green[x]), Solarize(in.blue[x])); });
}

template <LumaOrder order>
void LumaBytes(EffectRowIn in, std::uint8_t* lumas, int width) {
  int x = 0;
  const Multipliers k = LumaMultipliers();
  for (; x + kChunk <= width; x += kChunk) LumaChunk<order>(k, in, x, lumas);
  for (; x < width; ++x) lumas[x] = static_cast<std::uint8_t>(Luma<order>(in.red[x], in.green[x], in.blue[x]));
}

template void LumaBytes<LumaOrder::RedGreenBlue>(EffectRowIn, std::uint8_t*, int);
template void LumaBytes<LumaOrder::GreenRedBlue>(EffectRowIn, std::uint8_t*, int);
template void LumaBytes<LumaOrder::BlueGreenRed>(EffectRowIn, std::uint8_t*, int);

namespace {

template <bool stream>
inline void Store(std::uint32_t* out, __m128i v) {
  if (stream) {
    _mm_stream_si128(reinterpret_cast<__m128i*>(out), v);
  } else {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), v);
  }
}

// The output pixel of one luma, for the pixels before a row's first chunk.
template <LumaOutput output>
inline std::uint32_t OnePixel(const LumaRow& row, int x, int luma) {
  switch (output) {
    case LumaOutput::Grey: return Grey(static_cast<std::uint32_t>(luma));
    case LumaOutput::Sepia: return SepiaColour(luma);
    case LumaOutput::Emboss: return EmbossGrey(luma, row.ds[x]);
    case LumaOutput::Table: return row.table[luma];
  }
  return 0;
}

// Sixteen lumas into row.lumas and their pixels into row.out, from x.
template <LumaOrder order, LumaOutput output, bool stream>
inline void LumaPixelChunk(const Multipliers& k, const LumaRow& row, int x) {
  LumaChunk<order>(k, row.in, x, row.lumas);
  const __m128i y = Load(row.lumas + x);
  std::uint32_t* out = row.out + x;
  switch (output) {
    case LumaOutput::Grey: StorePixels<stream>(out, y, y, y); break;
    case LumaOutput::Sepia: {
      __m128i r, g, b;
      SepiaBytes(y, r, g, b);
      StorePixels<stream>(out, r, g, b);
      break;
    }
    case LumaOutput::Emboss: {
      const __m128i v = EmbossBytes(y, Load(row.ds + x));
      StorePixels<stream>(out, v, v, v);
      break;
    }
    case LumaOutput::Table: {
      const std::uint8_t* l = row.lumas + x;
      const std::uint32_t* t = row.table;
      for (int j = 0; j < kChunk; j += 4) {
        Store<stream>(out + j, _mm_setr_epi32(static_cast<int>(t[l[j]]), static_cast<int>(t[l[j + 1]]),
                                              static_cast<int>(t[l[j + 2]]), static_cast<int>(t[l[j + 3]])));
      }
      break;
    }
  }
}

}  // namespace

template <LumaOrder order, LumaOutput output>
void LumaPixels(const LumaRow& row, int from) {
  const int width = row.width;
  if (from >= width) return;
  if (width < kChunk) {
    for (int x = from; x < width; ++x) {
      const int luma = Luma<order>(row.in.red[x], row.in.green[x], row.in.blue[x]);
      row.lumas[x] = static_cast<std::uint8_t>(luma);
      row.out[x] = OnePixel<output>(row, x, luma);
    }
    return;
  }
  const Multipliers k = LumaMultipliers();
  int x = from;
  if (width - x < kChunk) {
    LumaPixelChunk<order, output, false>(k, row, width - kChunk);
    return;
  }
  if (row.stream) {
    // The pixels before the first 16-byte boundary come from one chunk stored
    // in place; the streamed chunks start at the boundary.
    const int misaligned = static_cast<int>((reinterpret_cast<std::uintptr_t>(row.out + x) & 15) / 4);
    if (misaligned != 0) {
      LumaPixelChunk<order, output, false>(k, row, x);
      x += 4 - misaligned;
    }
    for (; x + kChunk <= width; x += kChunk) LumaPixelChunk<order, output, true>(k, row, x);
  }
  for (; x + kChunk <= width; x += kChunk) LumaPixelChunk<order, output, false>(k, row, x);
  // The last pixels: a chunk ending at the row's end, overlapping pixels
  // already written with the same values.
  if (x < width) LumaPixelChunk<order, output, false>(k, row, width - kChunk);
}

#define HORALUNE_LUMA_PIXELS(order)                                     \
  template void LumaPixels<order, LumaOutput::Grey>(const LumaRow&, int);   \
  template void LumaPixels<order, LumaOutput::Sepia>(const LumaRow&, int);  \
  template void LumaPixels<order, LumaOutput::Emboss>(const LumaRow&, int); \
  template void LumaPixels<order, LumaOutput::Table>(const LumaRow&, int);
HORALUNE_LUMA_PIXELS(LumaOrder::RedGreenBlue)
HORALUNE_LUMA_PIXELS(LumaOrder::GreenRedBlue)
HORALUNE_LUMA_PIXELS(LumaOrder::BlueGreenRed)
