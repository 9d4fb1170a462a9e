// A bitmap file as 32-bit pixels (blue in bits 0..7, green 8..15, red 16..23,
// bits 24..31 the alpha when hasAlpha, ignored otherwise), the top row first.
// BMP files: on Windows LoadImageW and a 32-bit DIB section, natively our own
// decoder; PNG files (told by their signature): stb_image in both builds.
#pragma once
#include <cstdint>
#include <vector>

namespace platform {

struct BitmapPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width * height, row-major, top row first
  // The picture carries its own opacity (255 opaque) in bits 24..31: a PNG
  // with some pixel not fully opaque, or a 32-bit BMP with an alpha mask.
  bool hasAlpha = false;
};

bool LoadBitmapPixels(const char* utf8Path, BitmapPixels& out);

// Gives back what LoadBitmapPixels keeps from file to file on this thread
// (the last file's bytes, where it reads files itself).
void ReleaseBitmapScratch();

}  // namespace platform
