// Blending one row of a masked layer over one row of the frame, plane by plane.
#pragma once
#include <cstdint>

struct PlaneRow {
  std::uint8_t* red;
  std::uint8_t* green;
  std::uint8_t* blue;
};

struct ConstPlaneRow {
  const std::uint8_t* red;
  const std::uint8_t* green;
  const std::uint8_t* blue;
};

// For i in [0, count): dst = (src * m + dst * (255 - m)) / 255 with m = mask[i].
// Runs of mask 0 are skipped and runs of mask 255 copied; the result is the
// same as blending every pixel.
void BlendRow(PlaneRow dst, ConstPlaneRow src, const std::uint8_t* mask, int count);
