// A loaded skin drawn at another display scale: scaled copies of its pictures,
// its outline and hit mask, made once per load and per change of scale. The
// skin as loaded stays the source; at 96 dpi no copy is made.
//
// Sizes, positions and pivots follow ScaleByDpi (skin/display_scale.h). The
// outline is scaled as coverage: an output pixel is inside when at least half
// of its area, mapped back onto the body, covers inside pixels.
#pragma once
#include <cstdint>
#include <vector>

#include "skin/planar_image.h"
#include "skin/window_shape.h"

// What the window shows at one scale.
struct ScaledSkin {
  std::vector<PlanarImage> layers;    // the layer table, every picture scaled
  PlanarImage frame;                  // starts as the scaled body
  std::vector<std::uint8_t> hitMask;  // 1 = inside, hitMaskWidth x hitMaskHeight
  int hitMaskWidth = 0;
  int hitMaskHeight = 0;
};

// `mask` (width x height, non-zero = inside) at outWidth x outHeight by the
// one-half coverage rule; exact, in whole numbers.
std::vector<std::uint8_t> ScaleCoverage(const std::vector<std::uint8_t>& mask, int width, int height,
                                        int outWidth, int outHeight);

// `alpha` (width x height, 0..255) at outWidth x outHeight by area: each
// output pixel's alpha is the mean of the alphas under it, weighted by the
// area each covers, rounded to the nearest. For a 0/255 outline that is the
// fraction of the pixel the scaled outline covers; at least 128 exactly
// where ScaleCoverage says inside. Exact, in whole numbers.
std::vector<std::uint8_t> ScaleAlpha(const std::vector<std::uint8_t>& alpha, int width, int height, int outWidth,
                                     int outHeight);

// The window's alpha from an outline (non-zero = inside): 255 inside, 0 out.
std::vector<std::uint8_t> AlphaFromOutline(const std::vector<std::uint8_t>& outline);

// The runs of the pixels whose alpha is at least `least`, row by row.
WindowShape ShapeFromAlpha(const std::vector<std::uint8_t>& alpha, int width, int height, std::uint8_t least);

// The runs of the inside pixels of `mask`, row by row.
WindowShape ShapeFromMask(const std::vector<std::uint8_t>& mask, int width, int height);

// `layers` (as loaded, body first) with their body-sized `hitMask` at `dpi`.
// The body's colours weigh by the outline, every masked picture's by its mask.
// False, `out` unspecified, when a picture cannot be scaled (memory).
bool ScaleSkin(const std::vector<PlanarImage>& layers, const std::vector<std::uint8_t>& hitMask,
               int hitMaskWidth, int hitMaskHeight, int dpi, ScaledSkin& out);

// Bytes the clock holds for the loaded `layers` drawn as they are: every
// picture, the body-sized frame, the hit mask and the outline as loaded.
std::uint64_t LoadedSkinBytes(const std::vector<PlanarImage>& layers);

// Bytes at the peak of drawing the loaded `layers` at `dpi`: the skin as loaded
// (LoadedSkinBytes) while its copies are made, which are every picture at
// `dpi`, the frame and hit mask at `dpi`, the body's weights and the
// resampler's scratch. At 96 dpi: LoadedSkinBytes. The clock drops the copies
// of one scale before it makes those of the next, so this is the peak however
// the scale is reached.
std::uint64_t ScaledSkinBytes(const std::vector<PlanarImage>& layers, int dpi);

// The largest dpi from `dpi` down to 96 at which ScaledSkinBytes keeps within
// the skin memory bound; 96 when none above it does.
int FittingDpi(const std::vector<PlanarImage>& layers, int dpi);
