#include "skin/skin_scaling.h"

#include <algorithm>
#include <cstddef>
#include <new>

#include "skin/display_scale.h"
#include "skin/layer_table.h"
#include "skin/picture_resample.h"
#include "skin/skin_budget.h"

namespace {

// Source pixel k spans [k * out, (k + 1) * out) and output pixel i spans
// [i * in, (i + 1) * in) on a common axis: their overlap, in those units.
struct Overlap {
  int first = 0;                 // first source pixel touched
  std::vector<long long> parts;  // overlap with each touched source pixel
};

std::vector<Overlap> Overlaps(int in, int out) {
  std::vector<Overlap> table(static_cast<std::size_t>(out));
  for (int i = 0; i < out; ++i) {
    const long long lo = static_cast<long long>(i) * in;
    const long long hi = lo + in;
    Overlap& o = table[static_cast<std::size_t>(i)];
    o.first = static_cast<int>(lo / out);
    for (long long k = o.first; k < in && k * out < hi; ++k) {
      const long long a = std::max(lo, k * out);
      const long long b = std::min(hi, (k + 1) * out);
      o.parts.push_back(b - a);
    }
  }
  return table;
}

std::uint64_t PictureBytes(const PlanarImage& image, int dpi) {
  if (!image.hasPlanes) return 0;
  return PlaneBytes(ScaleByDpi(image.width, dpi), ScaleByDpi(image.height, dpi),
                    image.hasMask ? PictureForm::Masked : PictureForm::Plain);
}

constexpr std::uint64_t kSettingsBytes = 8 << 10;

std::uint64_t TableBytes(const std::vector<PlanarImage>& layers) { return layers.size() * sizeof(PlanarImage); }

std::uint64_t BodyPixels(const PlanarImage& body, int dpi) {
  if (!body.hasPlanes) return 0;
  return static_cast<std::uint64_t>(ScaleByDpi(body.width, dpi)) * static_cast<std::uint64_t>(ScaleByDpi(body.height, dpi));
}

// The Overlaps of both axes: an entry per pixel and its parts (at most two
// when enlarging, kept in a block of two).
std::uint64_t CoverageTableBytes(int width, int height) {
  constexpr std::uint64_t kPerEntry = sizeof(Overlap) + 2 * sizeof(long long);
  return (static_cast<std::uint64_t>(width) + static_cast<std::uint64_t>(height)) * kPerEntry;
}

}  // namespace

std::vector<std::uint8_t> ScaleCoverage(const std::vector<std::uint8_t>& mask, int width, int height,
                                        int outWidth, int outHeight) {
  std::vector<std::uint8_t> out;
  if (width <= 0 || height <= 0 || outWidth <= 0 || outHeight <= 0 ||
      mask.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return out;
  }
  out.assign(static_cast<std::size_t>(outWidth) * static_cast<std::size_t>(outHeight), 0);
  const std::vector<Overlap> columns = Overlaps(width, outWidth);
  const std::vector<Overlap> rows = Overlaps(height, outHeight);
  // An output pixel's area is width * height in these units.
  const long long half = static_cast<long long>(width) * height;
  for (int y = 0; y < outHeight; ++y) {
    const Overlap& row = rows[static_cast<std::size_t>(y)];
    for (int x = 0; x < outWidth; ++x) {
      const Overlap& column = columns[static_cast<std::size_t>(x)];
      long long covered = 0;
      for (std::size_t j = 0; j < row.parts.size(); ++j) {
        const std::size_t base = static_cast<std::size_t>(row.first + static_cast<int>(j)) * width;
        long long across = 0;
        for (std::size_t i = 0; i < column.parts.size(); ++i) {
          if (mask[base + static_cast<std::size_t>(column.first) + i] != 0) across += column.parts[i];
        }
        covered += across * row.parts[j];
      }
      out[static_cast<std::size_t>(y) * outWidth + x] = 2 * covered >= half ? 1 : 0;
    }
  }
  return out;
}

std::vector<std::uint8_t> ScaleAlpha(const std::vector<std::uint8_t>& alpha, int width, int height, int outWidth,
                                     int outHeight) {
  std::vector<std::uint8_t> out;
  if (width <= 0 || height <= 0 || outWidth <= 0 || outHeight <= 0 ||
      alpha.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return out;
  }
  out.assign(static_cast<std::size_t>(outWidth) * static_cast<std::size_t>(outHeight), 0);
  const std::vector<Overlap> columns = Overlaps(width, outWidth);
  const std::vector<Overlap> rows = Overlaps(height, outHeight);
  const long long area = static_cast<long long>(width) * height;  // an output pixel, in these units
  for (int y = 0; y < outHeight; ++y) {
    const Overlap& row = rows[static_cast<std::size_t>(y)];
    for (int x = 0; x < outWidth; ++x) {
      const Overlap& column = columns[static_cast<std::size_t>(x)];
      long long sum = 0;  // at most 255 * area
      for (std::size_t j = 0; j < row.parts.size(); ++j) {
        const std::uint8_t* source =
            alpha.data() + static_cast<std::size_t>(row.first + static_cast<int>(j)) * width + column.first;
        long long across = 0;
        for (std::size_t i = 0; i < column.parts.size(); ++i) across += source[i] * column.parts[i];
        sum += across * row.parts[j];
      }
      out[static_cast<std::size_t>(y) * outWidth + x] = static_cast<std::uint8_t>((2 * sum + area) / (2 * area));
    }
  }
  return out;
}

std::vector<std::uint8_t> AlphaFromOutline(const std::vector<std::uint8_t>& outline) {
  std::vector<std::uint8_t> alpha(outline.size());
  for (std::size_t k = 0; k < outline.size(); ++k) alpha[k] = outline[k] != 0 ? 255 : 0;
  return alpha;
}

WindowShape ShapeFromAlpha(const std::vector<std::uint8_t>& alpha, int width, int height, std::uint8_t least) {
  std::vector<std::uint8_t> mask(alpha.size());
  for (std::size_t k = 0; k < alpha.size(); ++k) mask[k] = alpha[k] >= least ? 1 : 0;
  return ShapeFromMask(mask, width, height);
}

WindowShape ShapeFromMask(const std::vector<std::uint8_t>& mask, int width, int height) {
  WindowShape shape;
  if (width <= 0 || height <= 0 ||
      mask.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return shape;
  }
  shape.valid = true;
  shape.width = width;
  shape.height = height;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = mask.data() + static_cast<std::size_t>(y) * width;
    int x = 0;
    while (x < width) {
      if (row[x] == 0) {
        ++x;
        continue;
      }
      const int x0 = x;
      while (x < width && row[x] != 0) ++x;
      shape.runs.push_back({y, x0, x});
    }
  }
  return shape;
}

bool ScaleSkin(const std::vector<PlanarImage>& layers, const std::vector<std::uint8_t>& hitMask,
               int hitMaskWidth, int hitMaskHeight, int dpi, ScaledSkin& out) {
  out = ScaledSkin();
  if (layers.empty() || !layers[Body].hasPlanes) return false;
  try {
    out.layers.resize(layers.size());
    for (std::size_t i = 0; i < layers.size(); ++i) {
      const PlanarImage& from = layers[i];
      if (!from.hasPlanes) continue;  // an entry the skin leaves empty
      const int w = ScaleByDpi(from.width, dpi), h = ScaleByDpi(from.height, dpi);
      std::vector<std::uint8_t> weight;
      if (i == Body && hitMaskWidth == from.width && hitMaskHeight == from.height &&
          hitMask.size() == static_cast<std::size_t>(from.width) * static_cast<std::size_t>(from.height)) {
        // The body has no mask: its outline says which colours count.
        weight.resize(hitMask.size());
        for (std::size_t k = 0; k < hitMask.size(); ++k) weight[k] = hitMask[k] != 0 ? 255 : 0;
      }
      PlanarImage& to = out.layers[i];
      if (!ResamplePicture(from, weight.empty() ? nullptr : weight.data(), w, h, to)) return false;
      to.pivotX = ScaleByDpi(from.pivotX, dpi);
      to.pivotY = ScaleByDpi(from.pivotY, dpi);
    }
    const PlanarImage& body = out.layers[Body];
    out.frame = body;
    out.hitMaskWidth = body.width;
    out.hitMaskHeight = body.height;
    if (hitMaskWidth > 0 && hitMaskHeight > 0) {
      out.hitMask = ScaleCoverage(hitMask, hitMaskWidth, hitMaskHeight, body.width, body.height);
    }
    if (out.hitMask.empty()) out.hitMask.assign(body.red.size(), 1);  // no outline: all inside
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

std::uint64_t LoadedSkinBytes(const std::vector<PlanarImage>& layers) {
  if (layers.empty()) return 0;
  std::uint64_t total = 0;
  for (const PlanarImage& image : layers) total += PictureBytes(image, kBaseDpi);
  const PlanarImage& body = layers[Body];
  // The frame, and one byte a pixel each for the hit mask, the outline and
  // the window's alpha; the table itself and the settings' texts (each at
  // most 256 bytes).
  return total + PlaneBytes(body.width, body.height, PictureForm::Plain) + 3 * BodyPixels(body, kBaseDpi) +
         TableBytes(layers) + kSettingsBytes;
}

std::uint64_t ScaledSkinBytes(const std::vector<PlanarImage>& layers, int dpi) {
  const std::uint64_t loaded = LoadedSkinBytes(layers);
  if (layers.empty() || dpi == kBaseDpi) return loaded;
  // Pictures are scaled one at a time, body first: each copy with its
  // resampler scratch (and, for the body, its weights) beside the copies made.
  std::uint64_t copies = TableBytes(layers), peak = 0;
  for (std::size_t i = 0; i < layers.size(); ++i) {
    const PlanarImage& image = layers[i];
    if (!image.hasPlanes) continue;
    const std::uint64_t copy = PictureBytes(image, dpi);
    const std::uint64_t scratch =
        ResampleScratchBytes(ScaleByDpi(image.width, dpi), ScaleByDpi(image.height, dpi), image.height);
    const std::uint64_t weights = i == Body ? BodyPixels(image, kBaseDpi) : 0;
    peak = std::max(peak, copies + copy + scratch + weights);
    copies += copy;
  }
  // Then the frame, the hit mask, the window's alpha (made from the loaded
  // one where the loaded frame was) and the coverage tables they are made with.
  const PlanarImage& body = layers[Body];
  const int w = ScaleByDpi(body.width, dpi), h = ScaleByDpi(body.height, dpi);
  const std::uint64_t frame = PlaneBytes(w, h, PictureForm::Plain);
  peak = std::max(peak, copies + frame + 2 * BodyPixels(body, dpi) + CoverageTableBytes(w, h));
  return loaded + peak;
}

int FittingDpi(const std::vector<PlanarImage>& layers, int dpi) {
  // The bytes grow with the dpi: the first that fits, counting down, is the largest.
  for (int d = ClampDpi(dpi); d > kBaseDpi; --d) {
    if (ScaledSkinBytes(layers, d) <= kMaxSkinPlaneBytes) return d;
  }
  return kBaseDpi;
}
