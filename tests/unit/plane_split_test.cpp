// The loader's pixel kernels against the per-pixel rules: the mask kernel on
// every colour, the plane split on every length of tail, whatever the
// ignored top byte holds.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "skin/planar_image.h"
#include "skin/plane_split.h"

namespace {

TEST(PlaneSplit, MaskKernelMatchesTheDoubleSumOnEveryColour) {
  // 4096 colours a call, a random top byte on each; the last call is one
  // short, so the tail after the last whole chunk runs too.
  std::mt19937 random(11);
  std::vector<std::uint32_t> pixels(4096);
  std::vector<std::uint8_t> mask(4096);
  for (std::uint32_t first = 0; first < (1u << 24); first += 4096) {
    for (std::uint32_t k = 0; k < 4096; ++k) pixels[k] = (first + k) | (random() & 0xFF000000u);
    const std::size_t count = first + 4096 == (1u << 24) ? 4095 : 4096;
    MaskValues(pixels.data(), mask.data(), count);
    for (std::size_t k = 0; k < count; ++k) {
      if (mask[k] != MaskValue(pixels[k])) FAIL() << "colour " << std::hex << pixels[k];
    }
  }
  EXPECT_EQ(MaskValue(0xFFFFFF), 255);
  EXPECT_EQ(MaskValue(0x010101), 0);  // the sum lands just below 1
}

TEST(PlaneSplit, PlanesHoldEachPixelsBytesOnEveryLength) {
  std::mt19937 random(12);
  for (std::size_t count = 0; count <= 70; ++count) {
    std::vector<std::uint32_t> pixels(count + 1);
    for (std::uint32_t& p : pixels) p = static_cast<std::uint32_t>(random());
    // Planes one byte into their buffers: the kernel must not care where
    // they start, nor write past count.
    std::vector<std::uint8_t> red(count + 2, 0xA5), green(count + 2, 0xA5), blue(count + 2, 0xA5);
    SplitPixels(pixels.data() + 1, red.data() + 1, green.data() + 1, blue.data() + 1, count);
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint32_t p = pixels[i + 1];
      ASSERT_EQ(red[i + 1], (p >> 16) & 0xFF) << count << " " << i;
      ASSERT_EQ(green[i + 1], (p >> 8) & 0xFF) << count << " " << i;
      ASSERT_EQ(blue[i + 1], p & 0xFF) << count << " " << i;
    }
    for (auto* plane : {&red, &green, &blue}) {
      EXPECT_EQ(plane->front(), 0xA5);
      EXPECT_EQ(plane->back(), 0xA5);
    }
  }
}

}  // namespace
