#include "skin/plane_split.h"

#include <emmintrin.h>

namespace {

constexpr std::size_t kChunk = 16;

// Sixteen pixels as 16-bit lanes: blue and red of pixels 0-7 and 8-15, green
// likewise. In memory a pixel is blue, green, red, ignored.
struct Words {
  __m128i blue[2], green[2], red[2];
};

inline Words LoadWords(const std::uint32_t* pixels) {
  const __m128i low = _mm_set1_epi16(0x00FF);
  __m128i p[4];
  for (int k = 0; k < 4; ++k) p[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + 4 * k));
  Words w;
  for (int h = 0; h < 2; ++h) {
    // Bytes blue, red, blue, red... and green, ignored, green, ignored...
    const __m128i br = _mm_packus_epi16(_mm_and_si128(p[2 * h], low), _mm_and_si128(p[2 * h + 1], low));
    const __m128i gx = _mm_packus_epi16(_mm_srli_epi16(p[2 * h], 8), _mm_srli_epi16(p[2 * h + 1], 8));
    w.blue[h] = _mm_and_si128(br, low);
    w.red[h] = _mm_srli_epi16(br, 8);
    w.green[h] = _mm_and_si128(gx, low);
  }
  return w;
}

inline void Store(std::uint8_t* to, __m128i low, __m128i high) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_packus_epi16(low, high));
}

// MaskValue of eight pixels without floating point. With
// N = 587 r + 299 g + 114 b the double sum is N / 1000 to within 1e-12, and a
// non-integral N / 1000 lies at least 0.001 from an integer, so truncating it
// gives N / 1000 rounded down, except where N is a multiple of 1000: there
// the sum may round to just below the integer. Those lanes are flagged for
// the double computation, apart from black and white (N = 0 and 255000),
// which come out exact. N / 1000 is (P + (Q >> 3)) / 125 with N = 8 P + Q,
// P = 73 r + 37 g + 14 b and Q = 3 r + 3 g + 2 b, so every step fits 16 bits;
// the division by 125 is a multiply-high (checked on every colour by the tests).
inline __m128i MaskWords(__m128i r, __m128i g, __m128i b, __m128i& flagged) {
  const __m128i p = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(r, _mm_set1_epi16(73)),
                                                _mm_mullo_epi16(g, _mm_set1_epi16(37))),
                                  _mm_mullo_epi16(b, _mm_set1_epi16(14)));
  const __m128i q = _mm_add_epi16(_mm_mullo_epi16(_mm_add_epi16(r, g), _mm_set1_epi16(3)), _mm_add_epi16(b, b));
  const __m128i eighth = _mm_add_epi16(p, _mm_srli_epi16(q, 3));
  const __m128i value =
      _mm_srli_epi16(_mm_mulhi_epu16(eighth, _mm_set1_epi16(static_cast<short>(static_cast<std::uint16_t>(33555)))), 6);
  const __m128i rest = _mm_or_si128(_mm_and_si128(q, _mm_set1_epi16(7)),
                                    _mm_sub_epi16(eighth, _mm_mullo_epi16(value, _mm_set1_epi16(125))));
  const __m128i exact = _mm_or_si128(_mm_cmpeq_epi16(value, _mm_setzero_si128()),
                                     _mm_cmpeq_epi16(value, _mm_set1_epi16(255)));
  flagged = _mm_andnot_si128(exact, _mm_cmpeq_epi16(rest, _mm_setzero_si128()));
  return value;
}

}  // namespace

void SplitPixels(const std::uint32_t* pixels, std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue,
                 std::size_t count) {
  std::size_t i = 0;
  for (; i + kChunk <= count; i += kChunk) {
    const Words w = LoadWords(pixels + i);
    Store(red + i, w.red[0], w.red[1]);
    Store(green + i, w.green[0], w.green[1]);
    Store(blue + i, w.blue[0], w.blue[1]);
  }
  for (; i < count; ++i) {
    const std::uint32_t p = pixels[i];
    red[i] = static_cast<std::uint8_t>(p >> 16);
    green[i] = static_cast<std::uint8_t>(p >> 8);
    blue[i] = static_cast<std::uint8_t>(p);
  }
}

void MaskValues(const std::uint32_t* pixels, std::uint8_t* mask, std::size_t count) {
  std::size_t i = 0;
  for (; i + kChunk <= count; i += kChunk) {
    const Words w = LoadWords(pixels + i);
    __m128i flaggedLow, flaggedHigh;
    const __m128i low = MaskWords(w.red[0], w.green[0], w.blue[0], flaggedLow);
    const __m128i high = MaskWords(w.red[1], w.green[1], w.blue[1], flaggedHigh);
    Store(mask + i, low, high);
    const int flagged = _mm_movemask_epi8(_mm_packs_epi16(flaggedLow, flaggedHigh));
    for (int k = 0; flagged >> k != 0; ++k) {
      if (flagged >> k & 1) mask[i + k] = MaskValue(pixels[i + k]);
    }
  }
  for (; i < count; ++i) mask[i] = MaskValue(pixels[i]);
}

std::uint8_t MaskValue(std::uint32_t pixel) {
  const double r = static_cast<double>((pixel >> 16) & 0xFFu);
  const double g = static_cast<double>((pixel >> 8) & 0xFFu);
  const double b = static_cast<double>(pixel & 0xFFu);
  // Red weighs 0.587 and green 0.299 here (unlike the colour effects); the sum is
  // taken in this order and truncated, so mid greys come out one lower.
  const double value = r * 0.587 + g * 0.299 + b * 0.114;
  return static_cast<std::uint8_t>(static_cast<int>(value));
}
