// Writes 24-bit BMP files: the format our skins ship in and the one the
// frame tool and the tests produce.
#pragma once
#include <cstdint>
#include <string>

// A bottom-up 24-bit BMP with a 40-byte info header, rows padded to 4 bytes.
// pixels: width * height values 0xRRGGBB (bits 24..31 ignored), top row first.
// Empty when the size is not positive or the file would exceed 2 GiB.
std::string EncodeBmp24(int width, int height, const std::uint32_t* pixels);

// Encodes and writes to path (code page 932, backslashes allowed). False when
// the picture cannot be encoded or the file cannot be written completely.
bool WriteBmp24(const char* path, int width, int height, const std::uint32_t* pixels);
