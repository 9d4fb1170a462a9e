// Writes a presented picture (the bottom-up 32-bit rows the window is painted
// from) to an image file, upright.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// 24-bit BMP, or an 8-bit RGBA PNG when `png`: the rows' colours with the
// window's alpha (`alpha`, top row first, width x height; any other size
// counts as opaque) as straight, not premultiplied, alpha, as PNG defines it.
// A viewer that blends the PNG over a background shows what the clock window
// shows over the desktop. `path` is UTF-8. False when the file cannot be
// written.
bool WritePresentedPicture(const std::string& path, bool png, int width, int height,
                           const std::vector<std::uint32_t>& rows, const std::vector<std::uint8_t>& alpha);
