// Colour effects: the composed frame turned into the 32-bit rows the clock
// window is painted from. The frame itself is never changed, so switching the
// effect needs a new presentation only, not a new composition.
#pragma once
#include <cstdint>
#include <vector>

#include "skin/planar_image.h"

enum ColourEffect {
  Normal = 0,
  Negative = 1,
  Solarization = 2,
  Grayscale = 3,
  Gold = 4,
  Sepia = 5,
  Emboss = 6,
};

// Brightness of a pixel, 0..255: 0.299 red, 0.587 green, 0.114 blue summed in
// double precision and truncated. Each effect adds the three products in its
// own order, and the order changes the last bit for some pixels.
int LumaGrayscale(std::uint8_t r, std::uint8_t g, std::uint8_t b);  // (r + g) + b
int LumaGold(std::uint8_t r, std::uint8_t g, std::uint8_t b);       // (g + r) + b, also Emboss
int LumaSepia(std::uint8_t r, std::uint8_t g, std::uint8_t b);      // (b + g) + r

// The Gold effect's colour for each brightness, 0xRRGGBB.
extern const std::uint32_t goldRamp[256];

// Writes the frame through `effect` into `rows` as a bottom-up 32-bit bitmap:
// rows[k * width + x] is pixel x of frame row height - 1 - k, as 0x00RRGGBB
// (in memory, little-endian: blue, green, red, 0). Any effect value outside
// 0..6 gives Normal. `rows` is resized to width * height and its storage is
// reused between calls. Returns false (rows left empty) when the frame has no
// pixels or its planes are shorter than width * height, or when the buffer
// cannot be allocated: then nothing is to be painted.
bool RenderPresentation(const PlanarImage& frame, int effect, std::vector<std::uint32_t>& rows);

// The rows for a window that shows per-pixel alpha (a layered window): as
// RenderPresentation, with each pixel 0xAARRGGBB premultiplied by its alpha,
// colour c becoming round(c * a / 255). `alpha` is frame-sized, top row
// first; one of another size counts as opaque everywhere. The effect acts on
// the colours only and the alpha is carried through unchanged, so at 255 a
// pixel is RenderPresentation's with an alpha byte of 255.
bool RenderPremultipliedPresentation(const PlanarImage& frame, const std::vector<std::uint8_t>& alpha, int effect,
                                     std::vector<std::uint32_t>& rows);
