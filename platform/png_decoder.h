// PNG files through stb_image, restricted to PNG, the same in both builds.
// Every colour type and bit depth, palettes with transparency, interlaced
// rows; 16-bit samples keep their top 8 bits. The result is the 32-bit pixels
// the BMP decoder gives, with the picture's alpha on top when it has one.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/bitmap_file.h"

// True when the bytes start with the PNG signature: how a picture is told a
// PNG, whatever its file is called.
bool IsPng(const std::uint8_t* data, std::size_t size);

// What the header of a PNG file says, read without inflating a byte.
struct PngProbe {
  int width = 0;
  int height = 0;
  unsigned bitDepth = 0;
  unsigned colourType = 0;
  bool interlaced = false;
  // An alpha channel or a transparency chunk before the pixel data.
  bool mayHaveAlpha = false;
  // The most the decoder may hold at once while decoding: the compressed and
  // inflated data, its own picture and ours.
  std::uint64_t decodeBytes = 0;
};

// Reads and checks the signature, the header and the chunk list up to the
// pixel data; false for a malformed header or a side past kMaxBmpDimension.
bool ProbePng(const std::uint8_t* data, std::size_t size, PngProbe& out);

// Decodes a whole PNG file held in memory. Pixels are 0xAARRGGBB when the
// picture has alpha (some pixel is not fully opaque), 0x00RRGGBB otherwise.
// False for anything malformed, truncated or too large; out is then empty.
bool DecodePng(const std::uint8_t* data, std::size_t size, platform::BitmapPixels& out);
