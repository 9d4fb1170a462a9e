// Resampling one picture to a larger size for the display scale. The filter is
// separable Catmull-Rom, edges clamped, over premultiplied colour:
// every source pixel's colour weighs by its weight (its mask, or whether it is
// inside the body's outline), so pixels that show nothing (key colour, mask 0)
// never bleed into their neighbours.
//
// Output rows are made in bands: only the source rows a band reads are held
// in floating point, so the scratch stays a few megabytes whatever the size,
// and every index is a size_t.
#pragma once
#include <cstdint>

#include "skin/planar_image.h"

// `out` becomes `source` at width x height. `weight` holds one byte per source
// pixel (0 nothing .. 255 full); null means the source's mask when it has one,
// else full weight everywhere. A masked source gives a masked result: the mask
// is the resampled weight. Where the resampled weight rounds to 0 the colour is
// that of the nearest source pixel. The pivot is left at (0, 0). False, `out`
// cleared, when the sizes are not positive or smaller than the source's, the
// source's planes do not hold its pixels or memory runs out.
bool ResamplePicture(const PlanarImage& source, const std::uint8_t* weight, int width, int height,
                     PlanarImage& out);

// Band rows are at least this many, so that one output row's taps always fit.
constexpr int kMinBandRows = 8;

// Bytes of scratch ResamplePicture takes for a width x height result from a
// source `sourceHeight` rows high, on top of the result's planes.
std::uint64_t ResampleScratchBytes(int width, int height, int sourceHeight);
