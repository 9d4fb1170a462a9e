// Decoded 32-bit pixels (0x00RRGGBB, the top byte ignored) into the byte
// planes a PlanarImage keeps, sixteen pixels at a time with SSE2.
#pragma once
#include <cstddef>
#include <cstdint>

// Opacity of a mask pixel: R * 0.587 + G * 0.299 + B * 0.114, truncated.
std::uint8_t MaskValue(std::uint32_t pixel);

// red[i], green[i], blue[i] from pixels[i], for i below count.
void SplitPixels(const std::uint32_t* pixels, std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue,
                 std::size_t count);

// mask[i] = MaskValue(pixels[i]), for i below count.
void MaskValues(const std::uint32_t* pixels, std::uint8_t* mask, std::size_t count);
