// Integer pixel blending and the float-to-integer conversion the renderer uses.
#pragma once
#include <cstdint>
#include <limits>

// x / 255 for 0 <= x <= 255 * 255, without a divide.
constexpr std::uint32_t Div255(std::uint32_t x) { return (x + 1 + (x >> 8)) >> 8; }

// (src * m + dst * (255 - m)) / 255, truncating.
constexpr std::uint8_t BlendByte(std::uint32_t src, std::uint32_t dst, std::uint32_t m) {
  return static_cast<std::uint8_t>(Div255(src * m + dst * (255u - m)));
}

// Conversion toward zero. Values an int cannot hold (and NaN) give INT_MIN, as
// the x86 conversion instruction does, instead of undefined behaviour.
inline std::int32_t TruncToInt(double v) {
  if (v > -2147483649.0 && v < 2147483648.0) return static_cast<std::int32_t>(v);
  return std::numeric_limits<std::int32_t>::min();
}
