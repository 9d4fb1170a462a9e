#include "render/blend_row.h"

#include <cstring>

#include "render/pixel_blend.h"

namespace {

constexpr int kChunk = 16;

// Fixed-length loop the compiler turns into 16-bit vector arithmetic.
void BlendChunk(std::uint8_t* dst, const std::uint8_t* src, const std::uint8_t* mask) {
  for (int i = 0; i < kChunk; ++i) {
    const std::uint32_t m = mask[i];
    dst[i] = BlendByte(src[i], dst[i], m);
  }
}

void BlendOne(PlaneRow dst, ConstPlaneRow src, std::uint32_t m, int i) {
  dst.red[i] = BlendByte(src.red[i], dst.red[i], m);
  dst.green[i] = BlendByte(src.green[i], dst.green[i], m);
  dst.blue[i] = BlendByte(src.blue[i], dst.blue[i], m);
}

}  // namespace

void BlendRow(PlaneRow dst, ConstPlaneRow src, const std::uint8_t* mask, int count) {
  int i = 0;
  for (; i + kChunk <= count; i += kChunk) {
    std::uint64_t lo, hi;
    std::memcpy(&lo, mask + i, 8);
    std::memcpy(&hi, mask + i + 8, 8);
    if ((lo | hi) == 0) continue;  // fully transparent: the frame stays
    if ((lo & hi) == ~std::uint64_t{0}) {
      std::memcpy(dst.red + i, src.red + i, kChunk);
      std::memcpy(dst.green + i, src.green + i, kChunk);
      std::memcpy(dst.blue + i, src.blue + i, kChunk);
      continue;
    }
    BlendChunk(dst.red + i, src.red + i, mask + i);
    BlendChunk(dst.green + i, src.green + i, mask + i);
    BlendChunk(dst.blue + i, src.blue + i, mask + i);
  }
  for (; i < count; ++i) {
    const std::uint32_t m = mask[i];
    if (m != 0) BlendOne(dst, src, m, i);
  }
}
