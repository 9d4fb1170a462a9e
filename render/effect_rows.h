// One frame row through a colour effect into 32-bit pixels 0x00RRGGBB, sixteen
// pixels at a time with SSE2 (the baseline of both builds), the rest one by
// one. Every kernel gives exactly the per-pixel formulas' result.
#pragma once
#include <cstdint>

#include "render/luma.h"

struct EffectRowIn {
  const std::uint8_t* red;
  const std::uint8_t* green;
  const std::uint8_t* blue;
};

// stream: write around the caches (for pictures larger than they are).
void NormalPixels(EffectRowIn in, std::uint32_t* out, int width, bool stream);
void NegativePixels(EffectRowIn in, std::uint32_t* out, int width, bool stream);
void SolarizationPixels(EffectRowIn in, std::uint32_t* out, int width, bool stream);

// The lumas of a row, one byte each.
template <LumaOrder order>
void LumaBytes(EffectRowIn in, std::uint8_t* lumas, int width);

// The sepia tint of a luma, 0x00RRGGBB.
std::uint32_t SepiaColour(int luma);

// What a luma effect makes of each luma: a grey (v, v, v), the sepia tint,
// the emboss grey v = luma - d + 128 clamped to 0..255 (d from `ds`), or a
// colour from a 256-entry table.
enum class LumaOutput { Grey, Sepia, Emboss, Table };

struct LumaRow {
  EffectRowIn in;
  const std::uint8_t* ds;        // Emboss only
  const std::uint32_t* table;    // Table only
  std::uint8_t* lumas;           // the row's lumas are written here too
  std::uint32_t* out;
  int width;
  bool stream;
};

// The lumas and output pixels of a row's pixels from `from` on, in one pass.
template <LumaOrder order, LumaOutput output>
void LumaPixels(const LumaRow& row, int from);

// Emboss compares each pixel's luma with D: 0 in the left column and the top
// row, 255 in the rest of the right column and the bottom row, else the luma
// of the upper-left neighbour, kept from the row above.
void EmbossDs(const std::uint8_t* above, std::uint8_t* ds, int width, bool topRow, bool bottomRow);

// Recomputes in double precision the lumas flagged in `flagged` (bit k for
// pixel x + k): those whose sum may round to just below an integer.
template <LumaOrder order>
inline void FixFlaggedLumas(EffectRowIn in, int x, std::uint32_t flagged, std::uint8_t* lumas) {
  for (int k = 0; k < 32 && (flagged >> k) != 0; ++k) {
    if ((flagged >> k & 1u) == 0) continue;
    const int i = x + k;
    lumas[i] = static_cast<std::uint8_t>(Luma<order>(in.red[i], in.green[i], in.blue[i]));
  }
}
