#include "ui/dialog_backdrop.h"

#include <algorithm>
#include <cstddef>

#include "skin/planar_image.h"

namespace {

unsigned Channel(std::uint32_t colour, int shift) { return (colour >> shift) & 0xFFu; }

}  // namespace

std::vector<std::uint8_t> GradientRows(std::uint32_t a, std::uint32_t b, int width, int height) {
  if (width <= 0 || height <= 0) return {};
  std::vector<unsigned> weights(static_cast<std::size_t>(width));
  for (int x = 0; x < width; ++x) weights[static_cast<std::size_t>(x)] = static_cast<unsigned>(2 * (width - x)) / 3;
  return GradientRowsOf(a, b, weights, height);
}

std::vector<std::uint8_t> GradientRowsOf(std::uint32_t a, std::uint32_t b,
                                         const std::vector<unsigned>& weights, int height) {
  if (weights.empty() || height <= 0) return {};
  const std::size_t rowBytes = weights.size() * 4;
  std::vector<std::uint8_t> rows(rowBytes * static_cast<std::size_t>(height), 0);
  for (std::size_t x = 0; x < weights.size(); ++x) {
    const unsigned t = weights[x];
    const unsigned s = 255 - t;
    std::uint8_t* pixel = &rows[x * 4];
    pixel[0] = static_cast<std::uint8_t>((s * Channel(a, 16) + t * Channel(b, 16)) / 255);
    pixel[1] = static_cast<std::uint8_t>((s * Channel(a, 8) + t * Channel(b, 8)) / 255);
    pixel[2] = static_cast<std::uint8_t>((s * Channel(a, 0) + t * Channel(b, 0)) / 255);
  }
  for (int y = 1; y < height; ++y) {
    std::copy(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(rowBytes),
              rows.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<std::size_t>(y)));
  }
  return rows;
}

std::vector<std::uint8_t> IntroPictureRows(const PlanarImage& picture) {
  const std::size_t w = kBackdropWidth;
  const std::size_t h = kBackdropHeight;
  if (!picture.hasPlanes || picture.width != kBackdropWidth || picture.height != kBackdropHeight ||
      picture.red.size() < w * h || picture.green.size() < w * h || picture.blue.size() < w * h) {
    return {};
  }
  std::vector<std::uint8_t> rows(w * h * 4, 0);
  for (std::size_t r = 0; r < h; ++r) {
    const std::size_t source = (h - 1 - r) * w;
    std::uint8_t* out = &rows[r * w * 4];
    for (std::size_t x = 0; x < w; ++x) {
      out[x * 4 + 0] = picture.blue[source + x];
      out[x * 4 + 1] = picture.green[source + x];
      out[x * 4 + 2] = picture.red[source + x];
    }
  }
  return rows;
}
