// Display scale: windows are laid out in 96-dpi units and drawn at the dots per
// inch of their monitor, a scale s = dpi / 96.
//
// The one rounding rule for every length and position (window size, picture
// sizes, layer positions, pivots): L at dpi d becomes L * d / 96 rounded to the
// nearest whole pixel, halves away from zero (as MulDiv rounds). At 96 dpi every
// value stays exactly as it is.
//
// Positions and pivots read from a skin or settings file are clamped where they
// are read to +-kMaxSkinCoordinate. That is far beyond any picture (a side is
// at most 8192 pixels), so a layer placed off the body stays off it, and every
// sum of positions, pivots and sizes, at every scale up to 500 %, fits an int.
#pragma once

constexpr int kBaseDpi = 96;
constexpr int kMinDpi = 96;   // 100 %
constexpr int kMaxDpi = 480;  // 500 %

constexpr int kMaxSkinCoordinate = 1 << 24;

constexpr int ClampSkinCoordinate(int value) {
  return value < -kMaxSkinCoordinate ? -kMaxSkinCoordinate
                                     : (value > kMaxSkinCoordinate ? kMaxSkinCoordinate : value);
}

// A monitor reporting a value out of range is drawn at the nearest end of it.
constexpr int ClampDpi(int dpi) { return dpi < kMinDpi ? kMinDpi : (dpi > kMaxDpi ? kMaxDpi : dpi); }

// A 96-dpi length at `dpi`, rounded half away from zero (as MulDiv rounds).
// A result beyond an int saturates: what lies far off stays far off.
constexpr int ScaleByDpi(int length, int dpi) {
  const long long scaled = static_cast<long long>(length) * dpi;
  const long long rounded = scaled >= 0 ? (scaled + kBaseDpi / 2) / kBaseDpi
                                        : -((-scaled + kBaseDpi / 2) / kBaseDpi);
  constexpr long long kIntMax = 2147483647LL;
  return static_cast<int>(rounded > kIntMax ? kIntMax : (rounded < -kIntMax - 1 ? -kIntMax - 1 : rounded));
}
