#include "platform/png_decoder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/bmp_decoder.h"  // kMaxBmpDimension

namespace {

// stb_image allocates as it inflates; a few bytes of deflate data can ask for
// gigabytes. Every allocation of one decode is held to what a picture of the
// header's size can need.
thread_local std::size_t allocationLimit = 0;

void* LimitedMalloc(std::size_t bytes) { return bytes <= allocationLimit ? std::malloc(bytes) : nullptr; }
void* LimitedRealloc(void* block, std::size_t bytes) {
  return bytes <= allocationLimit ? std::realloc(block, bytes) : nullptr;
}

}  // namespace

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#define STBI_NO_SIMD  // the same arithmetic in every build
#define STBI_MAX_DIMENSIONS 8192
#define STBI_MALLOC(bytes) LimitedMalloc(bytes)
#define STBI_REALLOC(block, bytes) LimitedRealloc(block, bytes)
#define STBI_FREE(block) std::free(block)
#define STBI_ASSERT(x) ((void)0)
// The library is not ours: its own warnings stay out of our builds.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb_image.h>
#pragma GCC diagnostic pop

static_assert(STBI_MAX_DIMENSIONS == kMaxBmpDimension, "PNG and BMP pictures share one size bound");

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kHeaderEnd = 8 + 8 + 13 + 4;  // signature, IHDR chunk with its CRC

std::uint32_t Be32(const std::uint8_t* p) {
  return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
         (static_cast<std::uint32_t>(p[2]) << 8) | p[3];
}

// Samples per pixel of each colour type; 0 for types PNG does not have.
unsigned Channels(unsigned colourType) {
  switch (colourType) {
    case 0: return 1;  // grey
    case 2: return 3;  // RGB
    case 3: return 1;  // palette index
    case 4: return 2;  // grey and alpha
    case 6: return 4;  // RGBA
    default: return 0;
  }
}

bool DepthAllowed(unsigned colourType, unsigned depth) {
  switch (colourType) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6: return depth == 8 || depth == 16;
    default: return false;
  }
}

// Bytes of the inflated rows of a non-interlaced picture, a filter byte each.
std::uint64_t RawBytes(const PngProbe& probe) {
  const std::uint64_t bitsPerRow =
      static_cast<std::uint64_t>(probe.width) * Channels(probe.colourType) * probe.bitDepth;
  return static_cast<std::uint64_t>(probe.height) * ((bitsPerRow + 7) / 8 + 1);
}

// The largest single block a decode of this file may ask for: the inflated
// data (interlaced rows and a guess that was short take up to twice it), the
// chunks' data gathered in one block, the 16-bit picture at four samples.
std::size_t LargestBlock(const PngProbe& probe, std::size_t fileBytes) {
  const std::uint64_t pixels = static_cast<std::uint64_t>(probe.width) * static_cast<std::uint64_t>(probe.height);
  const std::uint64_t largest = std::max({2 * RawBytes(probe), 2 * static_cast<std::uint64_t>(fileBytes), pixels * 8});
  return static_cast<std::size_t>(largest + 65536);
}

}  // namespace

bool IsPng(const std::uint8_t* data, std::size_t size) {
  return data != nullptr && size >= sizeof kSignature && std::memcmp(data, kSignature, sizeof kSignature) == 0;
}

bool ProbePng(const std::uint8_t* data, std::size_t size, PngProbe& out) {
  out = PngProbe();
  if (!IsPng(data, size) || size < kHeaderEnd) return false;
  const std::uint8_t* header = data + 8;
  if (Be32(header) != 13 || std::memcmp(header + 4, "IHDR", 4) != 0) return false;
  const std::uint32_t width = Be32(header + 8);
  const std::uint32_t height = Be32(header + 12);
  PngProbe probe;
  probe.bitDepth = header[16];
  probe.colourType = header[17];
  const unsigned compression = header[18];
  const unsigned filter = header[19];
  const unsigned interlace = header[20];
  if (width == 0 || height == 0 || width > kMaxBmpDimension || height > kMaxBmpDimension) return false;
  if (!DepthAllowed(probe.colourType, probe.bitDepth) || compression != 0 || filter != 0 || interlace > 1)
    return false;
  probe.width = static_cast<int>(width);
  probe.height = static_cast<int>(height);
  probe.interlaced = interlace == 1;
  probe.mayHaveAlpha = probe.colourType == 4 || probe.colourType == 6;

  // Transparency comes in a chunk of its own before the pixel data.
  for (std::size_t at = kHeaderEnd; size - at >= 8;) {
    const std::uint64_t length = Be32(data + at);
    if (std::memcmp(data + at + 4, "IDAT", 4) == 0) break;
    if (std::memcmp(data + at + 4, "tRNS", 4) == 0) probe.mayHaveAlpha = true;
    if (length + 12 > size - at) break;
    at += static_cast<std::size_t>(length) + 12;
  }

  const std::uint64_t pixels = static_cast<std::uint64_t>(probe.width) * static_cast<std::uint64_t>(probe.height);
  const std::uint64_t sampleBytes = probe.bitDepth == 16 ? 2 : 1;
  // Gathered chunks and inflated rows, the decoder's picture at four samples
  // and the one it converts to 8 bits or de-interlaces from, then ours.
  probe.decodeBytes = size + 2 * RawBytes(probe) + 2 * pixels * 4 * sampleBytes + pixels * 4;
  if (probe.colourType == 3) probe.decodeBytes += size + 768;  // the copy with a full palette
  out = probe;
  return true;
}

namespace {

// The decoder reads an index past the palette's end from entries it never
// filled. A copy of the file whose palette is padded to 256 opaque black
// entries makes such pixels black, the same on every run; empty when the file
// needs no padding (not a palette picture, or its palette already full).
std::vector<std::uint8_t> WithFullPalette(const std::uint8_t* data, std::size_t size, const PngProbe& probe) {
  std::vector<std::uint8_t> copy;
  if (probe.colourType != 3) return copy;
  for (std::size_t at = kHeaderEnd; size - at >= 12;) {
    const std::uint64_t length = Be32(data + at);
    if (length + 12 > size - at || std::memcmp(data + at + 4, "IDAT", 4) == 0) break;
    if (std::memcmp(data + at + 4, "PLTE", 4) == 0) {
      if (length == 0 || length % 3 != 0 || length >= 768) break;  // refused by the decoder, or full
      const std::size_t end = at + 12 + static_cast<std::size_t>(length);
      copy.reserve(size + 768);
      copy.assign(data, data + at);
      for (int shift = 24; shift >= 0; shift -= 8) copy.push_back(static_cast<std::uint8_t>(768u >> shift));
      copy.insert(copy.end(), data + at + 4, data + at + 8 + static_cast<std::size_t>(length));
      copy.resize(copy.size() + 768 - static_cast<std::size_t>(length), 0);
      copy.insert(copy.end(), data + end - 4, data + size);  // its check value (not read), the rest
      return copy;
    }
    at += static_cast<std::size_t>(length) + 12;
  }
  return copy;
}

}  // namespace

bool DecodePng(const std::uint8_t* data, std::size_t size, platform::BitmapPixels& out) {
  // The caller's buffer is reused, as the BMP decoder does.
  std::vector<std::uint32_t> storage;
  storage.swap(out.pixels);
  out = platform::BitmapPixels();
  PngProbe probe;
  if (!ProbePng(data, size, probe) || size > static_cast<std::size_t>(INT32_MAX)) return false;

  const std::vector<std::uint8_t> padded = WithFullPalette(data, size, probe);
  if (!padded.empty()) {
    data = padded.data();
    size = padded.size();
  }
  allocationLimit = LargestBlock(probe, size);
  int width = 0;
  int height = 0;
  int channels = 0;
  stbi_uc* rgba = stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 4);
  allocationLimit = 0;
  if (rgba == nullptr) return false;
  struct Release {
    stbi_uc* block;
    ~Release() { stbi_image_free(block); }
  } release{rgba};
  if (width != probe.width || height != probe.height) return false;

  platform::BitmapPixels result;
  result.width = width;
  result.height = height;
  result.pixels.swap(storage);
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  result.pixels.resize(count);
  std::uint32_t opaque = 0xFF;
  for (std::size_t i = 0; i < count; ++i) {
    const stbi_uc* p = rgba + 4 * i;
    result.pixels[i] = (static_cast<std::uint32_t>(p[3]) << 24) | (static_cast<std::uint32_t>(p[0]) << 16) |
                       (static_cast<std::uint32_t>(p[1]) << 8) | p[2];
    opaque &= p[3];
  }
  // A picture opaque everywhere is kept as one without alpha: its top bytes
  // are cleared, as every other picture's are.
  result.hasAlpha = opaque != 0xFF;
  if (!result.hasAlpha) {
    for (std::uint32_t& pixel : result.pixels) pixel &= 0xFFFFFFu;
  }
  out = std::move(result);
  return true;
}
