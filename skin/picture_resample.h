// Resampling one picture to another size for the display scale. The filter is
// Catmull-Rom (stb_image_resize), edges clamped, over premultiplied colour:
// every source pixel's colour weighs by its weight (its mask, or whether it is
// inside the body's outline), so pixels that show nothing (key colour, mask 0)
// never bleed into their neighbours.
#pragma once
#include <cstdint>

#include "skin/planar_image.h"

// `out` becomes `source` at width x height. `weight` holds one byte per source
// pixel (0 nothing .. 255 full); null means the source's mask when it has one,
// else full weight everywhere. A masked source gives a masked result: the mask
// is the resampled weight. Where the resampled weight rounds to 0 the colour is
// that of the nearest source pixel. The pivot is left at (0, 0). False, `out`
// cleared, when the sizes are not positive, the source's planes do not hold its
// pixels or memory runs out.
bool ResamplePicture(const PlanarImage& source, const std::uint8_t* weight, int width, int height,
                     PlanarImage& out);
