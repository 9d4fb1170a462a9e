#include "platform/bmp_decoder.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;
constexpr std::size_t kFileHeaderSize = 14;

std::uint32_t U16(const std::uint8_t* p) { return p[0] | (static_cast<std::uint32_t>(p[1]) << 8); }
std::uint32_t U32(const std::uint8_t* p) { return U16(p) | (U16(p + 2) << 16); }
std::int32_t I32(const std::uint8_t* p) { return static_cast<std::int32_t>(U32(p)); }

// One colour channel of a 16- or 32-bit pixel: where its bits sit and how many
// there are (at most 8: wider fields keep their top 8 bits). Bits outside the
// mask never leak in, even when the mask has holes.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit Channel(std::uint32_t fieldMask) : mask(fieldMask) {
    if (fieldMask == 0) return;
    while (!(fieldMask & 1u)) {
      fieldMask >>= 1;
      ++shift;
    }
    while (fieldMask) {
      fieldMask >>= 1;
      ++bits;
    }
    if (bits > 8) {
      shift += bits - 8;
      bits = 8;
    }
  }

  // Widens the field to 8 bits by repeating its bit pattern, so that all ones
  // become 255 and zero stays 0 (5 bits: v << 3 | v >> 2).
  std::uint32_t Value(std::uint32_t pixel) const {
    if (bits == 0) return 0;
    const std::uint32_t v = ((pixel & mask) >> shift) & ((1u << bits) - 1);
    std::uint32_t result = 0;
    for (int pos = 8 - bits;; pos -= bits) {
      if (pos >= 0) {
        result |= v << pos;
      } else {
        result |= v >> -pos;
        break;
      }
      if (pos == 0) break;
    }
    return result;
  }
};

struct Layout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  unsigned bitCount = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue
  std::uint32_t alphaMask = 0;          // 32-bit bit fields of a V4 or V5 header only
  std::array<std::uint32_t, 256> palette{};
  std::size_t bitsOffset = 0;
};

// Reads the headers and the colour table; checks that everything they name
// lies inside the file.
bool ReadLayout(const std::uint8_t* data, std::size_t size, Layout& layout) {
  if (size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') return false;
  const std::size_t offBits = U32(data + 10);
  const std::size_t headerSize = U32(data + kFileHeaderSize);
  const std::uint8_t* info = data + kFileHeaderSize;

  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t colorsUsed = 0;
  std::size_t paletteEntrySize = 4;
  std::size_t tableStart = kFileHeaderSize + headerSize;
  if (headerSize == 12) {
    if (size < tableStart) return false;
    width = U16(info + 4);
    height = U16(info + 6);
    layout.bitCount = U16(info + 10);
    paletteEntrySize = 3;
    if (layout.bitCount != 1 && layout.bitCount != 4 && layout.bitCount != 8 && layout.bitCount != 24)
      return false;
  } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
             headerSize == 124) {
    if (size < tableStart) return false;
    width = I32(info + 4);
    height = I32(info + 8);
    layout.bitCount = U16(info + 14);
    layout.compression = U32(info + 16);
    colorsUsed = U32(info + 32);
  } else {
    return false;
  }

  if (height < 0) {
    layout.topDown = true;
    height = -height;
  }
  if (width <= 0 || height <= 0 || width > kMaxBmpDimension || height > kMaxBmpDimension) return false;
  layout.width = static_cast<int>(width);
  layout.height = static_cast<int>(height);

  switch (layout.compression) {
    case kRgb:
      if (layout.bitCount != 1 && layout.bitCount != 4 && layout.bitCount != 8 &&
          layout.bitCount != 16 && layout.bitCount != 24 && layout.bitCount != 32)
        return false;
      break;
    case kRle8:
    case kRle4:
      // Run-length data is always stored bottom-up.
      if (layout.bitCount != (layout.compression == kRle8 ? 8u : 4u) || layout.topDown) return false;
      break;
    case kBitFields: {
      if (layout.bitCount != 16 && layout.bitCount != 32) return false;
      // A plain info header keeps its three masks just after itself; the
      // longer headers hold them inside.
      const std::size_t masksAt = kFileHeaderSize + 40;
      if (headerSize == 40) tableStart += 12;
      if (size < masksAt + 12) return false;
      for (int i = 0; i < 3; ++i) layout.masks[i] = U32(data + masksAt + 4 * i);
      // The V4 and V5 headers add an alpha mask after the three; a 32-bit
      // picture with one carries its opacity.
      if (layout.bitCount == 32 && (headerSize == 108 || headerSize == 124))
        layout.alphaMask = U32(data + masksAt + 12);
      break;
    }
    default:
      return false;
  }
  if (layout.bitCount == 16 && layout.compression == kRgb) {
    layout.masks[0] = 0x7C00;
    layout.masks[1] = 0x03E0;
    layout.masks[2] = 0x001F;
  }

  std::size_t paletteEnd = tableStart;
  if (layout.bitCount <= 8) {
    std::size_t entries = std::size_t{1} << layout.bitCount;
    if (colorsUsed != 0 && colorsUsed < entries) entries = colorsUsed;
    if (entries > (size - tableStart) / paletteEntrySize) return false;
    for (std::size_t i = 0; i < entries; ++i) {
      const std::uint8_t* p = data + tableStart + i * paletteEntrySize;
      layout.palette[i] = p[0] | (static_cast<std::uint32_t>(p[1]) << 8) | (static_cast<std::uint32_t>(p[2]) << 16);
    }
    paletteEnd = tableStart + entries * paletteEntrySize;
  }

  // A zero offset means the pixels follow the colour table directly.
  if (offBits == 0) {
    layout.bitsOffset = paletteEnd;
  } else {
    if (offBits < kFileHeaderSize + headerSize || offBits > size) return false;
    layout.bitsOffset = offBits;
  }
  return true;
}

std::uint32_t PaletteColour(const Layout& layout, unsigned index) { return layout.palette[index]; }

std::size_t Stride(const Layout& layout) {
  return (static_cast<std::size_t>(layout.width) * layout.bitCount + 31) / 32 * 4;
}

// Uncompressed rows must all be in the file; only the final row's padding may
// be missing.
bool HasAllRows(std::size_t size, const Layout& layout) {
  const std::size_t lastRowBytes = (static_cast<std::size_t>(layout.width) * layout.bitCount + 7) / 8;
  return size - layout.bitsOffset >= Stride(layout) * static_cast<std::size_t>(layout.height - 1) + lastRowBytes;
}

void DecodeRows(const std::uint8_t* data, const Layout& layout, std::uint32_t* out) {
  const std::size_t w = static_cast<std::size_t>(layout.width);
  const std::size_t h = static_cast<std::size_t>(layout.height);
  const std::size_t stride = Stride(layout);

  const Channel red(layout.masks[0]);
  const Channel green(layout.masks[1]);
  const Channel blue(layout.masks[2]);
  const Channel alpha(layout.alphaMask);
  for (std::size_t fileRow = 0; fileRow < h; ++fileRow) {
    const std::uint8_t* src = data + layout.bitsOffset + fileRow * stride;
    const std::size_t y = layout.topDown ? fileRow : h - 1 - fileRow;
    std::uint32_t* dst = out + y * w;
    switch (layout.bitCount) {
      case 1:
        for (std::size_t x = 0; x < w; ++x) dst[x] = PaletteColour(layout, (src[x >> 3] >> (7 - (x & 7))) & 1);
        break;
      case 4:
        for (std::size_t x = 0; x < w; ++x)
          dst[x] = PaletteColour(layout, (x & 1) ? src[x >> 1] & 0x0F : src[x >> 1] >> 4);
        break;
      case 8:
        for (std::size_t x = 0; x < w; ++x) dst[x] = PaletteColour(layout, src[x]);
        break;
      case 16:
        for (std::size_t x = 0; x < w; ++x) {
          const std::uint32_t p = U16(src + 2 * x);
          dst[x] = (red.Value(p) << 16) | (green.Value(p) << 8) | blue.Value(p);
        }
        break;
      case 24: {
        // Four bytes at a time (little-endian, as every target is), the top
        // one dropped; the row's last pixel alone, as its fourth byte may
        // lie past the end of the file.
        std::size_t x = 0;
        for (; x + 1 < w; ++x) {
          std::uint32_t v;
          std::memcpy(&v, src + 3 * x, sizeof v);
          dst[x] = v & 0xFFFFFFu;
        }
        const std::uint8_t* p = src + 3 * x;
        dst[x] = p[0] | (static_cast<std::uint32_t>(p[1]) << 8) | (static_cast<std::uint32_t>(p[2]) << 16);
        break;
      }
      case 32:
        if (layout.compression == kRgb) {
          for (std::size_t x = 0; x < w; ++x) dst[x] = U32(src + 4 * x) & 0xFFFFFF;
        } else {
          for (std::size_t x = 0; x < w; ++x) {
            const std::uint32_t p = U32(src + 4 * x);
            dst[x] = (alpha.Value(p) << 24) | (red.Value(p) << 16) | (green.Value(p) << 8) | blue.Value(p);
          }
        }
        break;
    }
  }
}

// Run-length data: pairs (count, colour) or escapes (0, 0) end of line,
// (0, 1) end of bitmap, (0, 2, dx, dy) move, (0, n >= 3) n literal pixels
// padded to a 16-bit boundary. Pixels the data skips stay black; runs past
// the right edge are cut. Data that ends once the top row is full is complete
// without its closing markers (Windows draws it); data that ends earlier marks
// a truncated file.
bool DecodeRle(const std::uint8_t* data, std::size_t size, const Layout& layout, std::uint32_t* out) {
  const bool four = layout.compression == kRle4;
  const std::size_t w = static_cast<std::size_t>(layout.width);
  const std::size_t h = static_cast<std::size_t>(layout.height);
  std::size_t pos = layout.bitsOffset;
  std::size_t x = 0;
  std::size_t row = 0;  // counted from the bottom
  auto put = [&](unsigned index) {
    if (x < w) out[(h - 1 - row) * w + x] = PaletteColour(layout, index);
    ++x;
  };

  while (row < h) {
    if (size - pos < 2) return row == h - 1 && x >= w;
    const unsigned count = data[pos];
    const unsigned value = data[pos + 1];
    pos += 2;
    if (count > 0) {
      for (unsigned i = 0; i < count && x < w; ++i)
        put(four ? ((i & 1) ? value & 0x0F : value >> 4) : value);
      continue;
    }
    switch (value) {
      case 0:
        x = 0;
        ++row;
        break;
      case 1:
        return true;
      case 2:
        if (size - pos < 2) return false;
        x += data[pos];
        row += data[pos + 1];
        pos += 2;
        break;
      default: {
        const std::size_t bytes = four ? (value + 1) / 2 : value;
        const std::size_t padded = (bytes + 1) & ~std::size_t{1};
        if (size - pos < padded) return false;
        for (unsigned i = 0; i < value && x < w; ++i) {
          const unsigned byte = data[pos + (four ? i / 2 : i)];
          put(four ? ((i & 1) ? byte & 0x0F : byte >> 4) : byte);
        }
        pos += padded;
        break;
      }
    }
  }
  return true;
}

// Pictures written with an alpha mask but nothing in it (every alpha 0) are
// common, and were meant opaque: they, and pictures opaque everywhere, are
// kept as pictures without alpha, their top bytes cleared.
void KeepAlpha(platform::BitmapPixels& picture) {
  std::uint32_t any = 0;
  std::uint32_t all = 0xFF000000u;
  for (std::uint32_t pixel : picture.pixels) {
    any |= pixel;
    all &= pixel;
  }
  const std::uint32_t top = 0xFF000000u;
  picture.hasAlpha = (any & top) != 0 && (all & top) != top;
  if (!picture.hasAlpha) {
    for (std::uint32_t& pixel : picture.pixels) pixel &= 0xFFFFFFu;
  }
}

}  // namespace

bool ProbeBmp(const std::uint8_t* data, std::size_t size, BmpProbe& out) {
  out = BmpProbe();
  Layout layout;
  if (data == nullptr || !ReadLayout(data, size, layout)) return false;
  out.width = layout.width;
  out.height = layout.height;
  out.bitCount = layout.bitCount;
  out.runLength = layout.compression == kRle8 || layout.compression == kRle4;
  out.alphaMask = layout.alphaMask != 0;
  out.decodeBytes = static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.height) *
                    sizeof(std::uint32_t);
  return true;
}

bool DecodeBmp(const std::uint8_t* data, std::size_t size, platform::BitmapPixels& out) {
  // The caller's buffer is reused: fresh memory for every picture of a large
  // skin costs more than the decoding.
  std::vector<std::uint32_t> storage;
  storage.swap(out.pixels);
  out = platform::BitmapPixels();
  if (data == nullptr) return false;
  Layout layout;
  if (!ReadLayout(data, size, layout)) return false;
  const bool runLength = layout.compression == kRle8 || layout.compression == kRle4;
  if (!runLength && !HasAllRows(size, layout)) return false;

  // Both sides are at most 8192, so the pixel count fits and so does its
  // size in bytes.
  platform::BitmapPixels result;
  result.width = layout.width;
  result.height = layout.height;
  result.pixels.swap(storage);
  result.pixels.assign(static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.height), 0);
  if (runLength) {
    if (!DecodeRle(data, size, layout, result.pixels.data())) return false;
  } else {
    DecodeRows(data, layout, result.pixels.data());
  }
  if (layout.alphaMask != 0) KeepAlpha(result);
  out = std::move(result);
  return true;
}
