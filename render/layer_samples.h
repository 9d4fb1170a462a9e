// Sampling a masked layer at one position into one frame pixel: the pixel
// work under every free-angle drawing, below both the per-pixel and the
// two-pixel paths.
#pragma once
#include <cstdint>

#include "skin/planar_image.h"

// One frame pixel, plane by plane.
struct FramePixel {
  std::uint8_t* red;
  std::uint8_t* green;
  std::uint8_t* blue;
};

// Blends the layer sampled at layer position (u, v) into one frame pixel.
// Bilinear: colour interpolated premultiplied by the mask and divided by the
// interpolated mask, which is also the coverage; nothing happens where the
// weighted mask sum is 0. Nearest: the pixel at (u + 0.5, v + 0.5) truncated.
// Positions off the layer's grid count as mask 0. The layer must have a mask.
void BlendBilinearSample(const PlanarImage& layer, FramePixel out, double u, double v);
void BlendNearestSample(const PlanarImage& layer, FramePixel out, double u, double v);
