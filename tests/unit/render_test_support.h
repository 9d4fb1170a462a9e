// Small hand-made and random pictures for the rendering tests.
#pragma once
#include <cstdint>
#include <random>

#include "skin/planar_image.h"

namespace render_test {

inline PlanarImage Solid(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                         int pivotX = 0, int pivotY = 0) {
  PlanarImage image;
  const auto n = static_cast<std::size_t>(w * h);
  image.red.assign(n, r);
  image.green.assign(n, g);
  image.blue.assign(n, b);
  image.width = w, image.height = h, image.pivotX = pivotX, image.pivotY = pivotY;
  image.hasPlanes = true;
  return image;
}

inline PlanarImage Masked(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                          std::uint8_t m, int pivotX = 0, int pivotY = 0) {
  PlanarImage image = Solid(w, h, r, g, b, pivotX, pivotY);
  image.mask.assign(static_cast<std::size_t>(w * h), m);
  image.hasMask = true;
  return image;
}

inline std::size_t At(const PlanarImage& image, int x, int y) {
  return static_cast<std::size_t>(y * image.width + x);
}

// Random colours; the mask mixes runs of 0 and 255 with soft values, and an
// optional transparent border like the one hands get.
inline PlanarImage Random(std::mt19937& rng, int w, int h, bool withMask, bool border) {
  PlanarImage image = Solid(w, h, 0, 0, 0, 0, 0);
  std::uniform_int_distribution<int> byte(0, 255), kind(0, 5);
  for (std::size_t i = 0; i < image.red.size(); ++i) {
    image.red[i] = static_cast<std::uint8_t>(byte(rng));
    image.green[i] = static_cast<std::uint8_t>(byte(rng));
    image.blue[i] = static_cast<std::uint8_t>(byte(rng));
  }
  if (!withMask) return image;
  image.mask.assign(image.red.size(), 0);
  image.hasMask = true;
  int run = 0, value = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (run-- <= 0) {
        const int k = kind(rng);
        value = k < 2 ? 0 : k < 4 ? 255 : -1;
        run = std::uniform_int_distribution<int>(0, 40)(rng);
      }
      const bool edge = border && (x < 2 || y < 2 || x >= w - 2 || y >= h - 2);
      image.mask[At(image, x, y)] =
          static_cast<std::uint8_t>(edge ? 0 : value >= 0 ? value : byte(rng));
    }
  return image;
}

}  // namespace render_test
