// Display scale: windows are laid out in 96-dpi units and drawn at the dots per
// inch of their monitor, a scale s = dpi / 96.
//
// The one rounding rule for every length and position (window size, picture
// sizes, layer positions, pivots): L at dpi d becomes L * d / 96 rounded to the
// nearest whole pixel, halves away from zero (as MulDiv rounds). At 96 dpi every
// value stays exactly as it is.
#pragma once

constexpr int kBaseDpi = 96;
constexpr int kMinDpi = 96;   // 100 %
constexpr int kMaxDpi = 480;  // 500 %

// A monitor reporting a value out of range is drawn at the nearest end of it.
constexpr int ClampDpi(int dpi) { return dpi < kMinDpi ? kMinDpi : (dpi > kMaxDpi ? kMaxDpi : dpi); }

// A 96-dpi length at `dpi`, rounded half away from zero (as MulDiv rounds).
constexpr int ScaleByDpi(int length, int dpi) {
  const long long scaled = static_cast<long long>(length) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + kBaseDpi / 2) / kBaseDpi
                                      : -((-scaled + kBaseDpi / 2) / kBaseDpi));
}
