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

// Grey pixels (v, v, v) from lumas, and the sepia tint of each luma.
void GreyPixels(const std::uint8_t* lumas, std::uint32_t* out, int width, bool stream);
void SepiaPixels(const std::uint8_t* lumas, std::uint32_t* out, int width, bool stream);
// Each luma's colour from a 256-entry table.
void TablePixels(const std::uint32_t* table, const std::uint8_t* lumas, std::uint32_t* out, int width,
                 bool stream);
// Emboss greys: v = luma - d + 128 clamped to 0..255.
void EmbossPixels(const std::uint8_t* lumas, const std::uint8_t* ds, std::uint32_t* out, int width, bool stream);

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
