// Writes a presented picture (the bottom-up 32-bit rows the window is painted
// from) to an image file, upright.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// PNG output is there when the build found libpng (the native build).
bool CanWritePng();

// 24-bit BMP, or 8-bit RGB PNG when `png`. `path` is code page 932 in the
// program's path convention. False when the file cannot be written.
bool WritePresentedPicture(const std::string& path, bool png, int width, int height,
                           const std::vector<std::uint32_t>& rows);
