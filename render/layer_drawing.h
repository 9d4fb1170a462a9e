// The three ways a layer lands on the frame: unturned, a quarter turn, or a
// free angle through the span table. Callers have reduced the angle already.
#pragma once
#include <cstdint>

#include "render/span_table.h"
#include "skin/planar_image.h"

// True when the image's planes hold width x height pixels (and its mask does,
// when it claims one), so drawing it cannot read outside them.
bool ImageIsDrawable(const PlanarImage& image);

// The layer's point (pivotX, pivotY) lands on frame point (x, y). A masked
// layer is blended through its mask, an unmasked one copied.
void DrawUnturned(PlanarImage& frame, const PlanarImage& layer, int x, int y, int pivotX,
                  int pivotY);

// quarter: 1, 2 or 3 for 90, 180 and 270 degrees. The layer must have a mask.
void DrawQuarterTurn(PlanarImage& frame, const PlanarImage& layer, int x, int y, int pivotX,
                     int pivotY, int quarter);

// Any other angle in (0, 360). The layer must have a mask. `spans` is the
// reused working table.
void DrawFreeAngle(PlanarImage& frame, const PlanarImage& layer, int x, int y, int pivotX,
                   int pivotY, float angle, bool antiAliasing, SpanTable& spans);
