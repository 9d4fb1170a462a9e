// A bitmap file as 32-bit pixels (blue in bits 0..7, green 8..15, red 16..23,
// bits 24..31 ignored), the top row first. Windows: LoadImageW and a 32-bit DIB
// section; natively: our own BMP decoder.
#pragma once
#include <cstdint>
#include <vector>

namespace platform {

struct BitmapPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width * height, row-major, top row first
};

bool LoadBitmapPixels(const char* utf8Path, BitmapPixels& out);

// Gives back what LoadBitmapPixels keeps from file to file on this thread
// (the last file's bytes, where it reads files itself).
void ReleaseBitmapScratch();

}  // namespace platform
