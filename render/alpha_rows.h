// Rows for a window that shows per-pixel alpha: 32-bit pixels 0xAARRGGBB with
// the colours premultiplied by the alpha, each colour c becoming
// round(c * a / 255), so 255 keeps it and 0 clears it. SSE2, sixteen pixels
// at a time; runs of opaque or cut pixels skip the multiplication.
#pragma once
#include <cstdint>

#include "render/effect_rows.h"

// The Normal effect straight from the planes, premultiplied by `alpha`.
void NormalAlphaPixels(EffectRowIn in, const std::uint8_t* alpha, std::uint32_t* out, int width, bool stream);

// Pixels an effect wrote (0x00RRGGBB) premultiplied in place by `alpha`.
void PremultiplyPixels(std::uint32_t* pixels, const std::uint8_t* alpha, int width);
