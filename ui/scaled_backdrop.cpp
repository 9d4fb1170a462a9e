#include "ui/scaled_backdrop.h"

#include <algorithm>
#include <cstddef>

#include "ui/dialog_backdrop.h"
#include "ui/display_scale.h"

namespace {

// Where output pixel `i` of `to` falls between source pixels of `from`, as an
// index and a weight out of `scale` for the next pixel: the source position is
// ((2i + 1) * from - to) / (2 * to), held exactly as integers.
struct Tap {
  int index;
  long long weight;
};

Tap TapFor(int i, int from, int to) {
  const long long scale = 2LL * to;
  const long long position = (2LL * i + 1) * from - to;
  if (position <= 0) return {0, 0};
  const long long index = position / scale;
  if (index >= from - 1) return {from - 1, 0};
  return {static_cast<int>(index), position % scale};
}

}  // namespace

int BackdropWidthAt(int dpi) { return ScaleByDpi(kBackdropWidth, ClampDpi(dpi)); }
int BackdropHeightAt(int dpi) { return ScaleByDpi(kBackdropHeight, ClampDpi(dpi)); }

std::vector<std::uint8_t> GradientRowsAt(std::uint32_t a, std::uint32_t b, int dpi) {
  dpi = ClampDpi(dpi);
  std::vector<unsigned> weights(static_cast<std::size_t>(BackdropWidthAt(dpi)));
  for (std::size_t x = 0; x < weights.size(); ++x) {
    // 2 * (128 - x * 96 / dpi) / 3 without rounding in between: at 96 dpi this
    // is GradientRows' own rule.
    const long long left = static_cast<long long>(kBackdropWidth) * dpi - static_cast<long long>(x) * kBaseDpi;
    weights[x] = left > 0 ? static_cast<unsigned>(2 * left / (3LL * dpi)) : 0;
  }
  return GradientRowsOf(a, b, weights, BackdropHeightAt(dpi));
}

std::vector<std::uint8_t> IntroPictureRowsAt(const PlanarImage& picture, int dpi) {
  const std::vector<std::uint8_t> rows = IntroPictureRows(picture);
  if (rows.empty()) return rows;
  return ResampleRows(rows, kBackdropWidth, kBackdropHeight, BackdropWidthAt(dpi),
                      BackdropHeightAt(dpi));
}

std::vector<std::uint8_t> ResampleRows(const std::vector<std::uint8_t>& rows, int width, int height,
                                       int newWidth, int newHeight) {
  if (width <= 0 || height <= 0 || newWidth <= 0 || newHeight <= 0) return {};
  const std::size_t stride = static_cast<std::size_t>(width) * 4;
  if (rows.size() < stride * static_cast<std::size_t>(height)) return {};
  std::vector<Tap> columns(static_cast<std::size_t>(newWidth));
  for (int x = 0; x < newWidth; ++x) columns[static_cast<std::size_t>(x)] = TapFor(x, width, newWidth);
  const long long xScale = 2LL * newWidth;
  const long long yScale = 2LL * newHeight;
  const long long whole = xScale * yScale;
  std::vector<std::uint8_t> out(static_cast<std::size_t>(newWidth) *
                                static_cast<std::size_t>(newHeight) * 4);
  std::uint8_t* to = out.data();
  for (int y = 0; y < newHeight; ++y) {
    const Tap row = TapFor(y, height, newHeight);
    const std::uint8_t* upper = &rows[static_cast<std::size_t>(row.index) * stride];
    const std::uint8_t* lower = row.weight > 0 ? upper + stride : upper;
    for (const Tap& column : columns) {
      const std::size_t left = static_cast<std::size_t>(column.index) * 4;
      const std::size_t right = column.weight > 0 ? left + 4 : left;
      for (std::size_t c = 0; c < 4; ++c) {
        const long long top = upper[left + c] * (xScale - column.weight) + upper[right + c] * column.weight;
        const long long bottom = lower[left + c] * (xScale - column.weight) + lower[right + c] * column.weight;
        const long long sum = top * (yScale - row.weight) + bottom * row.weight;
        *to++ = static_cast<std::uint8_t>((sum + whole / 2) / whole);
      }
    }
  }
  return out;
}

int LayoutLength(int pixels, int dpi) {
  dpi = ClampDpi(dpi);
  const long long scaled = static_cast<long long>(pixels) * kBaseDpi;
  return static_cast<int>(scaled >= 0 ? (scaled + dpi / 2) / dpi : -((-scaled + dpi / 2) / dpi));
}
