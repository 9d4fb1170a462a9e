// Bilinear, mask-weighted sampling of two neighbouring frame pixels at once,
// one per lane of SSE2 doubles: the same operations in the same order as
// BlendBilinearSample, so the same bytes.
#pragma once
#include <cstddef>

#include "render/layer_samples.h"

// The turn that maps frame pixels back into the layer, for one row.
struct BackTurn {
  double cosR, sinR;   // of the negated angle
  double dySin, dyCos;  // (row - cy) times each
  double cx, cy;        // the axis point
  double du, dv;        // the layer's pivot
};

// Frame pixels (i, row) and (i + 1, row); `at` is the frame index of the first.
void BlendBilinearPair(const PlanarImage& layer, PlanarImage& frame, std::size_t at, long long i,
                       const BackTurn& turn);
