// The window's outline from a body picture with its own alpha: inside where
// the alpha is at least half (128), the rule the hit mask keeps at every scale.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/bitmap_file.h"
#include "skin/window_shape.h"

constexpr std::uint32_t kAlphaInside = 128;

// Fills `shape` and replaces `hitMask` as the other outline builders do; fails,
// touching neither, when the body holds no pixels or has no alpha.
bool ShapeFromAlpha(const platform::BitmapPixels& body, WindowShape& shape, std::vector<std::uint8_t>& hitMask);
