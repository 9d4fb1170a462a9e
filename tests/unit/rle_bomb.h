// Run-length bitmaps that claim far more pixels than their bytes: what a
// hostile skin looks like.
#pragma once
#include <cstdint>
#include <string>

namespace skintest {

inline void Le(std::string& s, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A square RLE8 picture of one colour: a few bytes a row, side^2 pixels.
inline std::string RleBomb(int side) {
  std::string data;
  for (int y = 0; y < side; ++y) {
    for (int left = side; left > 0; left -= 255) {
      data += static_cast<char>(left < 255 ? left : 255);
      data += '\0';
    }
    data += std::string("\0\0", 2);
  }
  data += std::string("\0\1", 2);
  std::string file = "BM";
  Le(file, static_cast<std::uint32_t>(14 + 40 + 4 + data.size()), 4);
  Le(file, 0, 4);
  Le(file, 14 + 40 + 4, 4);
  Le(file, 40, 4);
  Le(file, static_cast<std::uint32_t>(side), 4);
  Le(file, static_cast<std::uint32_t>(side), 4);
  Le(file, 1, 2);
  Le(file, 8, 2);
  Le(file, 1, 4);  // RLE8
  Le(file, static_cast<std::uint32_t>(data.size()), 4);
  Le(file, 0, 4);
  Le(file, 0, 4);
  Le(file, 1, 4);  // one colour
  Le(file, 0, 4);
  Le(file, 0x00336699, 4);
  return file + data;
}

}  // namespace skintest
