#include "skin/picture_resample.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <vector>

// The library's one implementation in the program. It is third-party C code:
// its own warnings are not ours to fix.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include <stb_image_resize.h>
#pragma GCC diagnostic pop

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

}  // namespace

bool ResamplePicture(const PlanarImage& source, const std::uint8_t* weight, int width, int height,
                     PlanarImage& out) {
  out.Clear();
  if (width <= 0 || height <= 0 || !HoldsPixels(source)) return false;
  if (weight == nullptr && source.hasMask) weight = source.mask.data();
  const int sw = source.width, sh = source.height;
  try {
    const std::size_t inCount = static_cast<std::size_t>(sw) * static_cast<std::size_t>(sh);
    const std::size_t outCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<float> in(inCount * kChannels);
    for (std::size_t i = 0; i < inCount; ++i) {
      const float a = weight != nullptr ? weight[i] / 255.0f : 1.0f;
      float* p = &in[i * kChannels];
      p[0] = source.red[i] * a;
      p[1] = source.green[i] * a;
      p[2] = source.blue[i] * a;
      p[3] = a;
    }
    std::vector<float> resampled(outCount * kChannels);
    if (!stbir_resize_float_generic(in.data(), sw, sh, 0, resampled.data(), width, height, 0, kChannels,
                                    STBIR_ALPHA_CHANNEL_NONE, 0, STBIR_EDGE_CLAMP,
                                    STBIR_FILTER_CATMULLROM, STBIR_COLORSPACE_LINEAR, nullptr)) {
      return false;
    }
    in = std::vector<float>();

    out.width = width;
    out.height = height;
    out.red.resize(outCount);
    out.green.resize(outCount);
    out.blue.resize(outCount);
    out.hasMask = source.hasMask;
    if (out.hasMask) out.mask.resize(outCount);
    out.hasPlanes = true;
    for (int y = 0; y < height; ++y) {
      const std::size_t nearRow = static_cast<std::size_t>(NearestSource(y, height, sh)) * sw;
      for (int x = 0; x < width; ++x) {
        const std::size_t at = static_cast<std::size_t>(y) * width + x;
        const float* p = &resampled[at * kChannels];
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
