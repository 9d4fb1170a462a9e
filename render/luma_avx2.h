// Lumas 32 pixels at a time with AVX2, on processors that have it; the same
// integer method as the SSE2 kernel in effect_rows.cpp, so the same bytes.
#pragma once
#include <cstdint>

#include "render/effect_rows.h"

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

// What the AVX2 kernel writes besides the lumas.
enum class LumaOutput { LumasOnly, Grey, Sepia, Emboss };

// Writes the lumas of the row's first pixels, a multiple of 32, and their
// output pixels (Emboss reads its D bytes from `ds`); returns how many: 0
// where AVX2 is missing or not built (the Windows build, whose compiler does
// not keep 32-byte vectors aligned on the stack). stream: `out` is 16-byte
// aligned and the pixels go around the caches.
template <LumaOrder order>
int LumaPixelsAvx2(EffectRowIn in, LumaOutput output, const std::uint8_t* ds, std::uint8_t* lumas,
                   std::uint32_t* out, int width, bool stream);
