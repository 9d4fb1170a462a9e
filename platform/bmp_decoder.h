// Our own reader of Windows bitmap files, for platforms without LoadImageA.
// It takes the forms Windows takes: 12-byte core and 40/52/56/108/124-byte
// info headers; 1, 4, 8 bits with full or short colour tables; 16 and 32 bits
// plain or with bit fields; 24 bits; RLE8 and RLE4; bottom-up and top-down rows.
// A 32-bit picture whose V4 or V5 header gives an alpha mask keeps its alpha
// (straight, not premultiplied) when some pixel is neither 0 nor 255 apart.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/bitmap_file.h"

// The largest width and height we decode; larger files are refused before
// anything is allocated. A skin picture has no use for more, and a few bytes of
// run-length data can claim a picture of gigabytes.
constexpr int kMaxBmpDimension = 8192;

// What the headers of a bitmap file say, read without decoding a pixel.
struct BmpProbe {
  int width = 0;
  int height = 0;
  unsigned bitCount = 0;
  bool runLength = false;
  // 32 bits with bit fields and a non-zero alpha mask in a V4 or V5 header.
  bool alphaMask = false;
  // Bytes the decoded 32-bit pixels take: the decoder's own allocation.
  std::uint64_t decodeBytes = 0;
};

// Reads and checks the headers and the colour table only (the same checks as
// DecodeBmp makes before decoding). False for what DecodeBmp refuses up front.
bool ProbeBmp(const std::uint8_t* data, std::size_t size, BmpProbe& out);

// Decodes a whole BMP file held in memory into 0x00RRGGBB pixels (0xAARRGGBB
// with hasAlpha), top row first. False for anything malformed, truncated or too large; out is then
// left empty. Never reads outside data[0, size).
bool DecodeBmp(const std::uint8_t* data, std::size_t size, platform::BitmapPixels& out);
