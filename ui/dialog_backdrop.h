// The pixel work behind every dialog's backdrop: 32-bit rows for a
// device-independent bitmap, bottom row first, each pixel blue, green, red, 0.
// The shell only blits them.
#pragma once
#include <cstdint>
#include <vector>

class PlanarImage;

// Every backdrop is this size at 96 dpi, whether or not an introduction picture
// exists (ui/scaled_backdrop.h draws it at other scales).
constexpr int kBackdropWidth = 128;
constexpr int kBackdropHeight = 220;

// Colour values as the platform passes them: 0x00BBGGRR.
// Column x mixes t = 2 * (width - x) / 3 parts of `b` into 255 - t parts of
// `a`, so the right edge is exactly `a`, the dialog's face colour.
std::vector<std::uint8_t> GradientRows(std::uint32_t a, std::uint32_t b,
                                       int width = kBackdropWidth, int height = kBackdropHeight);

// The gradient's rows when column x holds `weights[x]` (out of 255) of b over a;
// every row is the same.
std::vector<std::uint8_t> GradientRowsOf(std::uint32_t a, std::uint32_t b,
                                         const std::vector<unsigned>& weights, int height);

// The introduction picture turned into rows; empty when it has no planes of
// the backdrop's size.
std::vector<std::uint8_t> IntroPictureRows(const PlanarImage& picture);
