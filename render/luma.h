// The brightness of a pixel as the effects compute it: 0.299 red, 0.587 green
// and 0.114 blue summed in double precision, in an order that each effect
// fixes, and truncated. The order changes the last bit for some pixels.
#pragma once
#include <cstdint>

enum class LumaOrder { RedGreenBlue, GreenRedBlue, BlueGreenRed };

template <LumaOrder order>
inline int Luma(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  const double red = 0.299 * static_cast<double>(r);
  const double green = 0.587 * static_cast<double>(g);
  const double blue = 0.114 * static_cast<double>(b);
  double sum;
  if (order == LumaOrder::RedGreenBlue) {
    sum = (red + green) + blue;
  } else if (order == LumaOrder::GreenRedBlue) {
    sum = (green + red) + blue;
  } else {
    sum = (blue + green) + red;
  }
  return static_cast<int>(sum);  // never negative, so this truncates toward zero
}
