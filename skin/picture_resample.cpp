#include "skin/picture_resample.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <new>
#include <vector>

namespace {

constexpr int kChannels = 4;  // red, green, blue premultiplied, then the weight

bool HoldsPixels(const PlanarImage& image) {
  if (image.width <= 0 || image.height <= 0) return false;
  const std::size_t count = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
  return image.red.size() >= count && image.green.size() >= count && image.blue.size() >= count &&
         (!image.hasMask || image.mask.size() >= count);
}

std::uint8_t ToByte(float value) {
  const float clamped = std::min(255.0f, std::max(0.0f, value));
  return static_cast<std::uint8_t>(clamped + 0.5f);
}

// The source pixel whose area holds the centre of output pixel `at`.
int NearestSource(int at, int outSize, int sourceSize) {
  const long long s = (2LL * at + 1) * sourceSize / (2LL * outSize);
  return static_cast<int>(std::min<long long>(s, sourceSize - 1));
}

float CatmullRom(float x) {
  x = std::fabs(x);
  if (x < 1.0f) return 1 - x * x * (2.5f - 1.5f * x);
  if (x < 2.0f) return 2 - x * (4 + x * (0.5f * x - 2.5f));
  return 0.0f;
}

// The source pixels one output pixel reads along an axis and their weights,
// which add up to 1. `first` may lie before the source and the last tap past
// it: those taps read the edge pixel.
// An enlarging filter two source pixels wide on each side reads at most five.
constexpr int kMaxTaps = 5;
struct Taps {
  int first = 0;
  int count = 0;
  float weights[kMaxTaps] = {};
  int Last() const { return first + count - 1; }
};

int Clamp(int at, int size) { return std::min(std::max(at, 0), size - 1); }

// The taps of every output pixel along an axis of `in` pixels drawn as `out`
// (out >= in). Computed in single precision, step by step as written, so that
// a picture resamples the same on every machine and in every build.
std::vector<Taps> AxisTaps(int in, int out) {
  std::vector<Taps> table(static_cast<std::size_t>(out));
  if (out == in) {  // the filter is 1 at a pixel's own centre and 0 at its neighbours'
    for (int n = 0; n < out; ++n) {
      table[static_cast<std::size_t>(n)].first = n;
      table[static_cast<std::size_t>(n)].count = 1;
      table[static_cast<std::size_t>(n)].weights[0] = 1.0f;
    }
    return table;
  }
  const float scale = static_cast<float>(out) / static_cast<float>(in);
  const float radius = 2.0f * scale;  // the filter's reach, in output pixels
  for (int n = 0; n < out; ++n) {
    const float centre = static_cast<float>(n) + 0.5f;
    const float lower = (centre - radius) / scale;
    const float upper = (centre + radius) / scale;
    const float sourceCentre = centre / scale;
    int first = static_cast<int>(std::floor(static_cast<double>(lower) + 0.5));
    const int last = static_cast<int>(std::floor(static_cast<double>(upper) - 0.5));
    Taps& taps = table[static_cast<std::size_t>(n)];
    float total = 0;
    for (int k = first; k <= last; ++k) {
      const float w = CatmullRom(sourceCentre - (static_cast<float>(k) + 0.5f));
      if (taps.count == 0 && w == 0.0f) {  // a leading zero tap reads nothing
        first = k + 1;
        continue;
      }
      if (taps.count == kMaxTaps) break;  // not reached: the filter is 0 from there on
      taps.weights[taps.count++] = w;
      total += w;
    }
    taps.first = first;
    const float norm = 1 / total;
    for (int k = 0; k < taps.count; ++k) taps.weights[k] *= norm;
  }
  return table;
}

// One source row, weighted and premultiplied, resampled across to `columns`.
void ResampleRow(const PlanarImage& source, const std::uint8_t* weight, int row,
                 const std::vector<Taps>& columns, float* out) {
  const std::size_t base = static_cast<std::size_t>(row) * static_cast<std::size_t>(source.width);
  for (std::size_t x = 0; x < columns.size(); ++x) {
    const Taps& taps = columns[x];
    float sum[kChannels] = {0, 0, 0, 0};
    for (int k = 0; k < taps.count; ++k) {
      const std::size_t i = base + static_cast<std::size_t>(Clamp(taps.first + k, source.width));
      const float a = weight != nullptr ? weight[i] / 255.0f : 1.0f;
      const float w = taps.weights[k];
      sum[0] += source.red[i] * a * w;
      sum[1] += source.green[i] * a * w;
      sum[2] += source.blue[i] * a * w;
      sum[3] += a * w;
    }
    for (int c = 0; c < kChannels; ++c) out[x * kChannels + static_cast<std::size_t>(c)] = sum[c];
  }
}

// Rows of source resampled across, kept for a band of output rows.
constexpr std::size_t kBandBytes = std::size_t{4} << 20;

// Source rows held at once for a result rowFloats floats wide.
std::size_t BandRows(std::size_t rowFloats, int sourceHeight) {
  const std::size_t rows = std::max<std::size_t>(kMinBandRows, kBandBytes / (rowFloats * sizeof(float)));
  return std::min(rows, static_cast<std::size_t>(sourceHeight));
}

}  // namespace

std::uint64_t ResampleScratchBytes(int width, int height, int sourceHeight) {
  if (width <= 0 || height <= 0 || sourceHeight <= 0) return 0;
  const std::size_t rowFloats = static_cast<std::size_t>(width) * kChannels;
  // The band's rows and one output row, plus the taps of both axes.
  return (BandRows(rowFloats, sourceHeight) + 1) * rowFloats * sizeof(float) +
         (static_cast<std::uint64_t>(width) + static_cast<std::uint64_t>(height)) * sizeof(Taps);
}

bool ResamplePicture(const PlanarImage& source, const std::uint8_t* weight, int width, int height,
                     PlanarImage& out) {
  out.Clear();
  if (width <= 0 || height <= 0 || !HoldsPixels(source)) return false;
  if (width < source.width || height < source.height) return false;  // only ever enlarged
  if (weight == nullptr && source.hasMask) weight = source.mask.data();
  const int sw = source.width, sh = source.height;
  try {
    const std::vector<Taps> columns = AxisTaps(sw, width);
    const std::vector<Taps> rows = AxisTaps(sh, height);
    const std::size_t rowFloats = static_cast<std::size_t>(width) * kChannels;
    const std::size_t bandRows = BandRows(rowFloats, sh);

    const std::size_t outCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    out.width = width;
    out.height = height;
    out.red.resize(outCount);
    out.green.resize(outCount);
    out.blue.resize(outCount);
    out.hasMask = source.hasMask;
    if (out.hasMask) out.mask.resize(outCount);
    out.hasPlanes = true;

    // Source rows [bandFirst, bandFirst + band rows) resampled across; a band
    // of output rows reads only these, and the next band starts where it must.
    std::vector<float> band(bandRows * rowFloats);
    std::vector<float> line(rowFloats);
    int bandFirst = 0, bandCount = 0;
    for (int y = 0; y < height; ++y) {
      const Taps& taps = rows[static_cast<std::size_t>(y)];
      const int lo = Clamp(taps.first, sh), hi = Clamp(taps.Last(), sh);
      if (lo < bandFirst || hi >= bandFirst + bandCount) {
        bandFirst = lo;
        bandCount = std::min(static_cast<int>(bandRows), sh - lo);
        for (int r = 0; r < bandCount; ++r) {
          ResampleRow(source, weight, bandFirst + r, columns, &band[static_cast<std::size_t>(r) * rowFloats]);
        }
      }
      std::fill(line.begin(), line.end(), 0.0f);
      for (int k = 0; k < taps.count; ++k) {
        const int r = Clamp(taps.first + k, sh) - bandFirst;
        const float* from = &band[static_cast<std::size_t>(r) * rowFloats];
        const float w = taps.weights[k];
        for (std::size_t i = 0; i < rowFloats; ++i) line[i] += from[i] * w;
      }

      const std::size_t rowStart = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
      const std::size_t nearRow = static_cast<std::size_t>(NearestSource(y, height, sh)) * static_cast<std::size_t>(sw);
      for (int x = 0; x < width; ++x) {
        const std::size_t at = rowStart + static_cast<std::size_t>(x);
        const float* p = &line[static_cast<std::size_t>(x) * kChannels];
        const std::uint8_t coverage = ToByte(p[3] * 255.0f);
        if (out.hasMask) out.mask[at] = coverage;
        if (coverage == 0) {
          // Nothing shows here: keep the colour the picture had at this place.
          const std::size_t from = nearRow + static_cast<std::size_t>(NearestSource(x, width, sw));
          out.red[at] = source.red[from];
          out.green[at] = source.green[from];
          out.blue[at] = source.blue[from];
        } else {
          out.red[at] = ToByte(p[0] / p[3]);
          out.green[at] = ToByte(p[1] / p[3]);
          out.blue[at] = ToByte(p[2] / p[3]);
        }
      }
    }
  } catch (const std::bad_alloc&) {
    out.Clear();
    return false;
  }
  return true;
}
