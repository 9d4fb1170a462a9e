// Lumas 32 pixels at a time with AVX2, on processors that have it; the same
// integer method as the SSE2 kernel in effect_rows.cpp, so the same bytes.
#pragma once
#include <cstdint>

#include "render/effect_rows.h"

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
