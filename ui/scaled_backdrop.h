// Dialog backdrops at a display scale. Dialog layouts are written in 96-dpi
// pixels; at another dpi the backdrop is drawn anew at the scaled size (the
// gradient from its own rule, the introduction picture resampled smoothly),
// so it keeps covering the same part of the enlarged dialog. At 96 dpi both
// give exactly the rows of the unscaled functions.
#pragma once
#include <cstdint>
#include <vector>

class PlanarImage;

// The backdrop's size in pixels at `dpi` (ClampDpi applied).
int BackdropWidthAt(int dpi);
int BackdropHeightAt(int dpi);

// GradientRows at `dpi`: column x at the 96-dpi position x * 96 / dpi, so the
// left edge is still a third of `b` and the right edge exactly `a`.
std::vector<std::uint8_t> GradientRowsAt(std::uint32_t a, std::uint32_t b, int dpi);

// IntroPictureRows resampled to the backdrop's size at `dpi`; empty when the
// picture is unusable.
std::vector<std::uint8_t> IntroPictureRowsAt(const PlanarImage& picture, int dpi);

// 32-bit rows (4 bytes a pixel, either row order) of width x height resampled
// to newWidth x newHeight with bilinear weights between pixel centres; edges
// repeat the outermost pixels. Equal sizes give the rows back unchanged.
// Empty when a size is not positive or the rows are too short.
std::vector<std::uint8_t> ResampleRows(const std::vector<std::uint8_t>& rows, int width, int height,
                                       int newWidth, int newHeight);

// A length in the window's pixels back in 96-dpi layout pixels, rounded to the
// nearest (the inverse of ScaleByDpi up to that rounding).
int LayoutLength(int pixels, int dpi);
