// Pictures with their own alpha: PNG of every colour type and bit depth
// against a plain model of what each sample means, header refusals, and
// 32-bit BMPs whose V4/V5 header gives an alpha mask.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/bmp_decoder.h"
#include "platform/png_decoder.h"
#include "png_writer.h"

namespace {

using pngtest::ChannelCount;
using pngtest::EncodePng;
using pngtest::PngPicture;

const std::uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

// A sample of `depth` bits as 8 bits: low depths stretched, 16 bits cut to
// their top byte.
std::uint32_t To8(std::uint32_t v, unsigned depth) {
  if (depth == 16) return v >> 8;
  return v * 255 / ((1u << depth) - 1);
}

// What each pixel must decode to, from the PNG rules alone.
std::vector<std::uint32_t> Expected(const PngPicture& p, bool& hasAlpha) {
  const unsigned n = ChannelCount(p.colourType);
  std::vector<std::uint32_t> rgba;
  hasAlpha = false;
  auto trns16 = [&](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(p.transparency[2 * i]) << 8 |
                                      static_cast<std::uint8_t>(p.transparency[2 * i + 1]));
  };
  for (std::size_t i = 0; i < static_cast<std::size_t>(p.width) * p.height; ++i) {
    const std::uint16_t* s = p.samples.data() + i * n;
    std::uint32_t r, g, b, a = 255;
    switch (p.colourType) {
      case 0:
        r = g = b = To8(s[0], p.depth);
        if (!p.transparency.empty() && s[0] == trns16(0)) a = 0;
        break;
      case 2:
        r = To8(s[0], p.depth), g = To8(s[1], p.depth), b = To8(s[2], p.depth);
        if (!p.transparency.empty() && s[0] == trns16(0) && s[1] == trns16(1) && s[2] == trns16(2)) a = 0;
        break;
      case 3:
        // An index past the palette's end is opaque black.
        r = g = b = 0;
        if (3u * s[0] < p.palette.size()) r = p.palette[3 * s[0]], g = p.palette[3 * s[0] + 1], b = p.palette[3 * s[0] + 2];
        if (s[0] < p.transparency.size()) a = static_cast<std::uint8_t>(p.transparency[s[0]]);
        break;
      case 4:
        r = g = b = To8(s[0], p.depth);
        a = To8(s[1], p.depth);
        break;
      default:
        r = To8(s[0], p.depth), g = To8(s[1], p.depth), b = To8(s[2], p.depth);
        a = To8(s[3], p.depth);
    }
    hasAlpha = hasAlpha || a != 255;
    rgba.push_back(a << 24 | r << 16 | g << 8 | b);
  }
  if (!hasAlpha) {
    for (std::uint32_t& pixel : rgba) pixel &= 0xFFFFFF;
  }
  return rgba;
}

PngPicture RandomPicture(std::mt19937& random, unsigned colourType, unsigned depth, bool interlaced,
                         bool transparency) {
  PngPicture p;
  p.width = 1 + static_cast<int>(random() % 19);
  p.height = 1 + static_cast<int>(random() % 13);
  p.depth = depth;
  p.colourType = colourType;
  p.interlaced = interlaced;
  const std::uint32_t top = (1u << depth) - 1;
  for (std::size_t i = 0; i < static_cast<std::size_t>(p.width) * p.height * ChannelCount(colourType); ++i)
    p.samples.push_back(static_cast<std::uint16_t>(random() & top));
  if (colourType == 3) {
    // Sometimes a palette shorter than the indices the rows use.
    const std::uint32_t entries = random() % 2 ? top + 1 : 1 + random() % (top + 1);
    for (std::uint32_t i = 0; i < entries; ++i)
      for (int c = 0; c < 3; ++c) p.palette.push_back(static_cast<std::uint8_t>(random()));
    if (transparency) {
      for (std::uint32_t i = 0; i <= top / 2 && i < entries; ++i) p.transparency.push_back(static_cast<char>(random()));
    }
  } else if (transparency && (colourType == 0 || colourType == 2)) {
    // The first pixel's colour is the transparent one, so that it occurs.
    for (unsigned c = 0; c < ChannelCount(colourType); ++c) {
      p.transparency.push_back(static_cast<char>(p.samples[c] >> 8));
      p.transparency.push_back(static_cast<char>(p.samples[c] & 0xFF));
    }
  }
  return p;
}

TEST(PngDecoder, EveryColourTypeAndDepthMatchesThePlainModel) {
  const struct {
    unsigned colourType;
    std::vector<unsigned> depths;
  } kForms[] = {{0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}}, {4, {8, 16}}, {6, {8, 16}}};
  std::mt19937 random(25);
  platform::BitmapPixels out;  // reused, as the loaders reuse it
  for (const auto& form : kForms) {
    for (unsigned depth : form.depths) {
      for (int round = 0; round < 8; ++round) {
        const bool interlaced = round % 2 == 1;
        const bool transparency = round % 4 >= 2;
        const PngPicture picture = RandomPicture(random, form.colourType, depth, interlaced, transparency);
        const std::string file = EncodePng(picture);
        SCOPED_TRACE("type " + std::to_string(form.colourType) + " depth " + std::to_string(depth) +
                     (interlaced ? " interlaced" : "") + (transparency ? " tRNS" : ""));
        ASSERT_TRUE(IsPng(Bytes(file), file.size()));
        PngProbe probe;
        ASSERT_TRUE(ProbePng(Bytes(file), file.size(), probe));
        EXPECT_EQ(probe.width, picture.width);
        EXPECT_EQ(probe.height, picture.height);
        ASSERT_TRUE(DecodePng(Bytes(file), file.size(), out));
        bool hasAlpha = false;
        const std::vector<std::uint32_t> expected = Expected(picture, hasAlpha);
        EXPECT_EQ(out.width, picture.width);
        EXPECT_EQ(out.height, picture.height);
        EXPECT_EQ(out.hasAlpha, hasAlpha);
        EXPECT_EQ(out.pixels, expected);
        // What the budget is told before decoding: alpha is never a surprise.
        if (hasAlpha) {
          EXPECT_TRUE(probe.mayHaveAlpha);
        }
        // Cut anywhere short, the file is refused, never half-decoded.
        const std::size_t cut = file.size() - 13 - random() % (file.size() - 13);
        EXPECT_FALSE(DecodePng(Bytes(file), cut, out));
        EXPECT_TRUE(out.pixels.empty());
      }
    }
  }
}

// Headers that lie or break the rules are refused before anything is
// inflated; a header claiming far more than its data holds fails cleanly.
TEST(PngDecoder, HeadersAreCheckedBeforeDecoding) {
  PngPicture small;
  small.width = small.height = 2;
  small.samples.assign(16, 200);
  const std::string good = EncodePng(small);
  PngProbe probe;
  ASSERT_TRUE(ProbePng(Bytes(good), good.size(), probe));
  EXPECT_GT(probe.decodeBytes, 16u);

  auto patched = [&](std::size_t at, std::uint8_t value) {
    std::string file = good;
    file[at] = static_cast<char>(value);
    return file;
  };
  // Header fields: width at 16, height at 20, depth 24, type 25, then
  // compression, filter and interlace.
  std::string zeroWidth = good;
  zeroWidth[19] = 0;
  std::string tooWide = good;
  tooWide[18] = 0x20;  // 8194
  std::string tooHigh = good;
  tooHigh[22] = 0x20;
  const std::string refused[] = {zeroWidth, tooWide, tooHigh,
                                 patched(24, 3),  // no such depth
                                 patched(25, 5),  // no such colour type
                                 patched(24, 4),  // RGBA of 4 bits
                                 patched(26, 1), patched(27, 1), patched(28, 2),
                                 patched(12, 'J'),  // the first chunk is not IHDR
                                 good.substr(0, 30), std::string("\x89PNG\r\n\x1a", 7)};
  platform::BitmapPixels out;
  for (const std::string& file : refused) {
    EXPECT_FALSE(ProbePng(Bytes(file), file.size(), probe));
    EXPECT_FALSE(DecodePng(Bytes(file), file.size(), out));
  }
  // 8192 on a side is the largest taken, as for BMP.
  std::string largest = good;
  largest[16 + 2] = largest[20 + 2] = 0x20;
  largest[16 + 3] = largest[20 + 3] = 0;
  ASSERT_TRUE(ProbePng(Bytes(largest), largest.size(), probe));
  EXPECT_EQ(probe.width, 8192);
  EXPECT_GE(probe.decodeBytes, 8192ull * 8192ull * 4ull * 2);
  // It lies: four pixels of data for 64 million.
  EXPECT_FALSE(DecodePng(Bytes(largest), largest.size(), out));
}

// A 32-bit bottom-up BMP with a V5 header and bit fields.
std::string V5Bmp(int width, int height, const std::vector<std::uint32_t>& topDownPixels, std::uint32_t alphaMask,
                  std::uint32_t headerSize = 124) {
  std::string file(14 + headerSize, '\0');
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(10, 14 + headerSize);
  put32(14, headerSize);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  file[26] = 1;
  file[28] = 32;
  put32(30, 3);  // bit fields
  put32(54, 0x00FF0000);
  put32(58, 0x0000FF00);
  put32(62, 0x000000FF);
  put32(66, alphaMask);
  put32(70, 0x73524742);  // sRGB
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = topDownPixels[static_cast<std::size_t>(y) * width + x];
      for (int i = 0; i < 4; ++i) file.push_back(static_cast<char>((p >> (8 * i)) & 0xFF));
    }
  }
  put32(2, static_cast<std::uint32_t>(file.size()));
  return file;
}

TEST(BmpAlpha, V4AndV5HeadersWithAnAlphaMaskKeepTheirAlpha) {
  const std::vector<std::uint32_t> pixels = {0x00102030, 0x80405060, 0xFF708090, 0x40A0B0C0, 0xC0D0E0F0, 0x01000000};
  platform::BitmapPixels out;
  for (std::uint32_t headerSize : {108u, 124u}) {
    const std::string file = V5Bmp(3, 2, pixels, 0xFF000000, headerSize);
    BmpProbe probe;
    ASSERT_TRUE(ProbeBmp(Bytes(file), file.size(), probe));
    EXPECT_TRUE(probe.alphaMask);
    ASSERT_TRUE(DecodeBmp(Bytes(file), file.size(), out));
    EXPECT_TRUE(out.hasAlpha);
    EXPECT_EQ(out.pixels, pixels);
  }
  // Without a mask, or with one that nothing is written in, or opaque
  // everywhere: a picture without alpha, exactly as before.
  std::vector<std::uint32_t> colours;
  for (std::uint32_t p : pixels) colours.push_back(p & 0xFFFFFF);
  std::vector<std::uint32_t> opaque;
  for (std::uint32_t p : colours) opaque.push_back(p | 0xFF000000);
  const std::string plain[] = {V5Bmp(3, 2, pixels, 0), V5Bmp(3, 2, colours, 0xFF000000),
                               V5Bmp(3, 2, opaque, 0xFF000000)};
  for (const std::string& file : plain) {
    ASSERT_TRUE(DecodeBmp(Bytes(file), file.size(), out));
    EXPECT_FALSE(out.hasAlpha);
    EXPECT_EQ(out.pixels, colours);
  }
  // A narrow alpha field widens as the colour fields do.
  const std::string narrow = V5Bmp(1, 1, {0x0F000000 | 0x123456}, 0x0F000000);
  ASSERT_TRUE(DecodeBmp(Bytes(narrow), narrow.size(), out));
  EXPECT_FALSE(out.hasAlpha);  // all ones: opaque
  EXPECT_EQ(out.pixels[0], 0x123456u);
  const std::string half = V5Bmp(2, 1, {0x08000000 | 0x123456, 0x0F000000}, 0x0F000000);
  ASSERT_TRUE(DecodeBmp(Bytes(half), half.size(), out));
  EXPECT_EQ(out.pixels, (std::vector<std::uint32_t>{0x88123456u, 0xFF000000u}));
}

}  // namespace
