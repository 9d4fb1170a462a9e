// Colour effects: worked pixels, the bitmap layout, and the fast row code
// against a plain per-pixel version on random and exhaustive inputs.
#include "render/colour_effects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

PlanarImage MakeFrame(int width, int height) {
  PlanarImage image;
  image.width = width;
  image.height = height;
  image.hasPlanes = true;
  const std::size_t n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  image.red.assign(n, 0);
  image.green.assign(n, 0);
  image.blue.assign(n, 0);
  return image;
}

PlanarImage Uniform(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  PlanarImage image = MakeFrame(width, height);
  std::fill(image.red.begin(), image.red.end(), r);
  std::fill(image.green.begin(), image.green.end(), g);
  std::fill(image.blue.begin(), image.blue.end(), b);
  return image;
}

PlanarImage RandomFrame(int width, int height, std::mt19937& random) {
  PlanarImage image = MakeFrame(width, height);
  std::uniform_int_distribution<int> byte(0, 255);
  for (std::size_t i = 0; i < image.red.size(); ++i) {
    image.red[i] = static_cast<std::uint8_t>(byte(random));
    image.green[i] = static_cast<std::uint8_t>(byte(random));
    image.blue[i] = static_cast<std::uint8_t>(byte(random));
  }
  return image;
}

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// Pixel (x, y) of the presented picture, y = 0 the top frame row, read back as
// the bytes a device-independent bitmap holds.
Rgb Presented(const std::vector<std::uint32_t>& rows, int width, int height, int x, int y) {
  std::uint8_t bytes[4];
  const std::size_t k = static_cast<std::size_t>(height - 1 - y);
  std::memcpy(bytes, &rows[k * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)], 4);
  return Rgb{bytes[2], bytes[1], bytes[0]};
}

Rgb PresentOne(int effect, int r, int g, int b) {
  PlanarImage frame = Uniform(1, 1, static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                              static_cast<std::uint8_t>(b));
  std::vector<std::uint32_t> rows;
  EXPECT_TRUE(RenderPresentation(frame, effect, rows));
  return Presented(rows, 1, 1, 0, 0);
}

// The plain version: one pixel at a time, straight from the rules, into a
// zero-filled byte buffer laid out blue, green, red, 0, the bottom row first.
int RefLuma(int order, int r, int g, int b) {
  double sum;
  if (order == 0) {
    sum = (0.299 * r + 0.587 * g) + 0.114 * b;
  } else if (order == 1) {
    sum = (0.587 * g + 0.299 * r) + 0.114 * b;
  } else {
    sum = (0.114 * b + 0.587 * g) + 0.299 * r;
  }
  return static_cast<int>(sum);
}

std::vector<std::uint8_t> ReferencePresentation(const PlanarImage& f, int effect) {
  const int w = f.width, h = f.height;
  std::vector<std::uint8_t> out(static_cast<std::size_t>(w) * h * 4, 0);
  auto at = [&](int x, int y) { return static_cast<std::size_t>(y) * w + x; };
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const int r = f.red[at(x, y)], g = f.green[at(x, y)], b = f.blue[at(x, y)];
      int R = r, G = g, B = b;
      if (effect == 1) {
        R = 255 - r, G = 255 - g, B = 255 - b;
      } else if (effect == 2) {
        R = 128 - std::abs(r - 127), G = 128 - std::abs(g - 127), B = 128 - std::abs(b - 127);
      } else if (effect == 3) {
        R = G = B = RefLuma(0, r, g, b);
      } else if (effect == 4) {
        const std::uint32_t c = goldRamp[RefLuma(1, r, g, b)];
        R = static_cast<int>(c >> 16 & 0xFF), G = static_cast<int>(c >> 8 & 0xFF), B = static_cast<int>(c & 0xFF);
      } else if (effect == 5) {
        const int Y = RefLuma(2, r, g, b);
        const int T = Y <= 127 ? Y : 255 - Y;
        R = std::min(Y + (41 * T) / 127, 255);
        G = std::min(Y + (4 * T) / 127, 255);
        B = std::max(Y - (41 * T) / 127, 0);
      } else if (effect == 6) {
        const int Y = RefLuma(1, r, g, b);
        int D;
        if (x == 0 || y == 0) {
          D = 0;
        } else if (x == w - 1 || y == h - 1) {
          D = 255;
        } else {
          D = RefLuma(1, f.red[at(x - 1, y - 1)], f.green[at(x - 1, y - 1)], f.blue[at(x - 1, y - 1)]);
        }
        R = G = B = std::clamp(Y - D + 128, 0, 255);
      }
      const std::size_t o = (static_cast<std::size_t>(h - 1 - y) * w + x) * 4;
      out[o] = static_cast<std::uint8_t>(B);
      out[o + 1] = static_cast<std::uint8_t>(G);
      out[o + 2] = static_cast<std::uint8_t>(R);
    }
  }
  return out;
}

void ExpectSameAsReference(const PlanarImage& frame, int effect) {
  std::vector<std::uint32_t> rows;
  ASSERT_TRUE(RenderPresentation(frame, effect, rows));
  const std::vector<std::uint8_t> expected = ReferencePresentation(frame, effect);
  ASSERT_EQ(rows.size() * 4, expected.size());
  const auto* got = reinterpret_cast<const std::uint8_t*>(rows.data());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (got[i] != expected[i]) {
      FAIL() << "effect " << effect << " on " << frame.width << "x" << frame.height << ": byte " << i
             << " is " << int(got[i]) << ", expected " << int(expected[i]);
    }
  }
}

}  // namespace

TEST(ColourEffects, WorkedPixels) {
  EXPECT_EQ(PresentOne(Normal, 12, 34, 56), (Rgb{12, 34, 56}));
  EXPECT_EQ(PresentOne(Negative, 0, 100, 255), (Rgb{255, 155, 0}));

  EXPECT_EQ(PresentOne(Solarization, 255, 255, 255), (Rgb{0, 0, 0}));
  EXPECT_EQ(PresentOne(Solarization, 127, 127, 127), (Rgb{128, 128, 128}));
  EXPECT_EQ(PresentOne(Solarization, 0, 128, 200), (Rgb{1, 127, 55}));

  EXPECT_EQ(PresentOne(Grayscale, 1, 1, 1), (Rgb{0, 0, 0}));
  EXPECT_EQ(PresentOne(Grayscale, 23, 23, 23), (Rgb{23, 23, 23}));
  EXPECT_EQ(PresentOne(Grayscale, 255, 0, 0), (Rgb{76, 76, 76}));

  EXPECT_EQ(PresentOne(Gold, 0, 0, 0), (Rgb{0x35, 0x2C, 0x00}));
  EXPECT_EQ(PresentOne(Gold, 255, 255, 255), (Rgb{0xFF, 0xFF, 0xFD}));

  EXPECT_EQ(PresentOne(Sepia, 255, 255, 255), (Rgb{255, 255, 255}));
  EXPECT_EQ(PresentOne(Sepia, 128, 128, 128), (Rgb{169, 132, 87}));
  EXPECT_EQ(PresentOne(Sepia, 0, 0, 0), (Rgb{0, 0, 0}));
}

TEST(ColourEffects, SolarizationOfEveryByteInEveryChannel) {
  // The three channels are worked on together; no byte may spill into another.
  PlanarImage frame = MakeFrame(256, 1);
  for (int c = 0; c < 256; ++c) {
    frame.red[c] = static_cast<std::uint8_t>(c);
    frame.green[c] = static_cast<std::uint8_t>(255 - c);
    frame.blue[c] = static_cast<std::uint8_t>((c + 128) & 0xFF);
  }
  std::vector<std::uint32_t> rows;
  ASSERT_TRUE(RenderPresentation(frame, Solarization, rows));
  auto solarized = [](int c) { return 128 - std::abs(c - 127); };
  for (int c = 0; c < 256; ++c) {
    EXPECT_EQ(Presented(rows, 256, 1, c, 0),
              (Rgb{solarized(c), solarized(255 - c), solarized((c + 128) & 0xFF)})) << c;
  }
}

TEST(ColourEffects, SummationOrderChangesTheLastBit) {
  EXPECT_EQ(LumaGrayscale(1, 1, 1), 0);
  EXPECT_EQ(LumaGold(1, 1, 1), 0);
  EXPECT_EQ(LumaSepia(1, 1, 1), 1);
  EXPECT_EQ(LumaGrayscale(23, 23, 23), 23);
  EXPECT_EQ(LumaSepia(23, 23, 23), 22);
  // Sepia of grey 1 is tinted from luma 1: red 1 + 41 / 127 = 1, blue 1 - 0 = 1.
  EXPECT_EQ(PresentOne(Sepia, 1, 1, 1), (Rgb{1, 1, 1}));
  EXPECT_EQ(PresentOne(Sepia, 23, 23, 23), (Rgb{29, 22, 15}));
  EXPECT_EQ(PresentOne(Gold, 1, 1, 1), (Rgb{0x35, 0x2C, 0x00}));
}

TEST(ColourEffects, UnknownEffectsPresentAsNormal) {
  std::mt19937 random(7);
  const PlanarImage frame = RandomFrame(13, 9, random);
  std::vector<std::uint32_t> normal, other;
  ASSERT_TRUE(RenderPresentation(frame, Normal, normal));
  for (int effect : {7, -1, 100, -2147483647 - 1, 2147483647}) {
    ASSERT_TRUE(RenderPresentation(frame, effect, other));
    EXPECT_EQ(other, normal) << "effect " << effect;
  }
}

TEST(ColourEffects, GoldRampBrightBandsAndTroughs) {
  EXPECT_EQ(goldRamp[0], 0x352C00u);
  EXPECT_EQ(goldRamp[57], 0xFFFFFFu);
  EXPECT_EQ(goldRamp[100], 0x2E2600u);
  EXPECT_EQ(goldRamp[140], 0xFFFFFDu);
  EXPECT_EQ(goldRamp[193], 0x2B2300u);
  EXPECT_EQ(goldRamp[253], 0xFFFFFFu);
  EXPECT_EQ(goldRamp[255], 0xFFFFFDu);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(goldRamp[i] >> 24, 0u) << i;
}

TEST(ColourEffects, EmbossOfUniformGrey) {
  const int w = 5, h = 4;
  const PlanarImage frame = Uniform(w, h, 100, 100, 100);
  std::vector<std::uint32_t> rows;
  ASSERT_TRUE(RenderPresentation(frame, Emboss, rows));
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int expected = 128;
      if (x == 0 || y == 0) {
        expected = 228;
      } else if (x == w - 1 || y == h - 1) {
        expected = 0;
      }
      EXPECT_EQ(Presented(rows, w, h, x, y), (Rgb{expected, expected, expected})) << x << "," << y;
    }
  }
}

TEST(ColourEffects, EmbossComparesWithTheUpperLeftNeighbour) {
  // A bright pixel at (1, 1) lifts (1, 1) and darkens (2, 2).
  PlanarImage frame = Uniform(4, 4, 50, 50, 50);
  frame.red[5] = frame.green[5] = frame.blue[5] = 150;
  std::vector<std::uint32_t> rows;
  ASSERT_TRUE(RenderPresentation(frame, Emboss, rows));
  EXPECT_EQ(Presented(rows, 4, 4, 1, 1), (Rgb{228, 228, 228}));
  EXPECT_EQ(Presented(rows, 4, 4, 2, 2), (Rgb{28, 28, 28}));
  EXPECT_EQ(Presented(rows, 4, 4, 2, 1), (Rgb{128, 128, 128}));
  EXPECT_EQ(Presented(rows, 4, 4, 1, 2), (Rgb{128, 128, 128}));
}

TEST(ColourEffects, EmbossOnThinFrames) {
  // One column: every pixel is in the left column. One row: all in the top row.
  for (const auto& size : {std::pair<int, int>{1, 5}, {5, 1}, {1, 1}, {2, 2}, {2, 3}, {3, 2}}) {
    const PlanarImage frame = Uniform(size.first, size.second, 200, 200, 200);
    ExpectSameAsReference(frame, Emboss);
  }
  const PlanarImage column = Uniform(1, 3, 200, 200, 200);
  std::vector<std::uint32_t> rows;
  ASSERT_TRUE(RenderPresentation(column, Emboss, rows));
  for (int y = 0; y < 3; ++y) EXPECT_EQ(Presented(rows, 1, 3, 0, y), (Rgb{255, 255, 255}));
}

TEST(ColourEffects, BottomUpRowsWithAZeroFourthByte) {
  PlanarImage frame = MakeFrame(2, 3);
  for (int i = 0; i < 6; ++i) {
    frame.red[i] = static_cast<std::uint8_t>(10 + i);
    frame.green[i] = static_cast<std::uint8_t>(100 + i);
    frame.blue[i] = static_cast<std::uint8_t>(200 + i);
  }
  std::vector<std::uint32_t> rows{0xDEADBEEFu};
  ASSERT_TRUE(RenderPresentation(frame, Normal, rows));
  ASSERT_EQ(rows.size(), 6u);
  std::uint8_t bytes[24];
  std::memcpy(bytes, rows.data(), sizeof bytes);
  // Buffer row 0 is the bottom frame row (pixels 4 and 5).
  const std::uint8_t expected[24] = {204, 104, 14, 0, 205, 105, 15, 0, 202, 102, 12, 0,
                                     203, 103, 13, 0, 200, 100, 10, 0, 201, 101, 11, 0};
  EXPECT_EQ(0, std::memcmp(bytes, expected, sizeof bytes));
  for (int effect = -1; effect <= 7; ++effect) {
    ASSERT_TRUE(RenderPresentation(frame, effect, rows));
    for (std::uint32_t pixel : rows) EXPECT_EQ(pixel >> 24, 0u) << "effect " << effect;
  }
}

TEST(ColourEffects, FrameWithoutPixelsPresentsNothing) {
  std::vector<std::uint32_t> rows(4, 1u);
  EXPECT_FALSE(RenderPresentation(PlanarImage{}, Normal, rows));
  EXPECT_TRUE(rows.empty());

  PlanarImage shortPlanes = MakeFrame(4, 4);
  shortPlanes.blue.resize(15);
  rows.assign(4, 1u);
  EXPECT_FALSE(RenderPresentation(shortPlanes, Emboss, rows));
  EXPECT_TRUE(rows.empty());

  PlanarImage negative = MakeFrame(2, 2);
  negative.width = -2;
  EXPECT_FALSE(RenderPresentation(negative, Gold, rows));
}

TEST(ColourEffects, BufferFollowsTheFrameSize) {
  std::mt19937 random(11);
  std::vector<std::uint32_t> rows;
  for (const auto& size : {std::pair<int, int>{40, 30}, {3, 2}, {17, 50}}) {
    const PlanarImage frame = RandomFrame(size.first, size.second, random);
    ASSERT_TRUE(RenderPresentation(frame, Sepia, rows));
    EXPECT_EQ(rows.size(), static_cast<std::size_t>(size.first * size.second));
  }
}

TEST(ColourEffects, EveryEffectMatchesThePlainVersion) {
  std::mt19937 random(2024);
  for (const auto& size : {std::pair<int, int>{1, 1}, {1, 7}, {7, 1}, {2, 2}, {3, 3}, {37, 23}, {64, 64}, {129, 5}}) {
    const PlanarImage frame = RandomFrame(size.first, size.second, random);
    for (int effect = -1; effect <= 7; ++effect) ExpectSameAsReference(frame, effect);
  }
}

TEST(ColourEffects, LumaEffectsMatchThePlainVersionOnEveryColour) {
  // 256 frames of 256 x 256: frame r holds every (g, b) with red r, so each luma
  // effect sees all 2^24 colours; the rows are wide enough for vector code.
  PlanarImage frame = MakeFrame(256, 256);
  for (int g = 0; g < 256; ++g) {
    for (int b = 0; b < 256; ++b) {
      frame.green[static_cast<std::size_t>(g) * 256 + b] = static_cast<std::uint8_t>(g);
      frame.blue[static_cast<std::size_t>(g) * 256 + b] = static_cast<std::uint8_t>(b);
    }
  }
  std::vector<std::uint32_t> gray, gold, sepia;
  for (int r = 0; r < 256; ++r) {
    std::fill(frame.red.begin(), frame.red.end(), static_cast<std::uint8_t>(r));
    ASSERT_TRUE(RenderPresentation(frame, Grayscale, gray));
    ASSERT_TRUE(RenderPresentation(frame, Gold, gold));
    ASSERT_TRUE(RenderPresentation(frame, Sepia, sepia));
    for (int g = 0; g < 256; ++g) {
      const std::size_t k = static_cast<std::size_t>(255 - g) * 256;
      for (int b = 0; b < 256; ++b) {
        const int yGray = RefLuma(0, r, g, b);
        const int yGold = RefLuma(1, r, g, b);
        const int ySepia = RefLuma(2, r, g, b);
        const int T = ySepia <= 127 ? ySepia : 255 - ySepia;
        const std::uint32_t sepiaExpected =
            static_cast<std::uint32_t>(std::min(ySepia + (41 * T) / 127, 255)) << 16 |
            static_cast<std::uint32_t>(std::min(ySepia + (4 * T) / 127, 255)) << 8 |
            static_cast<std::uint32_t>(std::max(ySepia - (41 * T) / 127, 0));
        if (gray[k + b] != static_cast<std::uint32_t>(yGray) * 0x010101u || gold[k + b] != goldRamp[yGold] ||
            sepia[k + b] != sepiaExpected) {
          FAIL() << "colour (" << r << ", " << g << ", " << b << ")";
        }
      }
    }
  }
}

namespace {

// Alpha in stretches of 0, 255 and random values, so the kernels meet whole
// opaque and whole cut blocks as well as mixed ones, and row ends.
std::vector<std::uint8_t> RandomAlpha(std::size_t count, std::mt19937& random) {
  std::vector<std::uint8_t> alpha(count);
  std::uniform_int_distribution<int> kind(0, 2), stretch(1, 40), byte(0, 255);
  for (std::size_t i = 0; i < count;) {
    const int k = kind(random);
    for (int n = stretch(random); n > 0 && i < count; --n, ++i) {
      alpha[i] = static_cast<std::uint8_t>(k == 0 ? 0 : k == 1 ? 255 : byte(random));
    }
  }
  return alpha;
}

// The plain presentation with each colour c made (c * a + 127) / 255 and a
// fourth byte of a.
void ExpectPremultipliedReference(const PlanarImage& frame, const std::vector<std::uint8_t>& alpha, int effect) {
  std::vector<std::uint32_t> rows;
  ASSERT_TRUE(RenderPremultipliedPresentation(frame, alpha, effect, rows));
  std::vector<std::uint8_t> expected = ReferencePresentation(frame, effect);
  ASSERT_EQ(rows.size() * 4, expected.size());
  const int w = frame.width, h = frame.height;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int a = alpha.size() == rows.size() ? alpha[static_cast<std::size_t>(y) * w + x] : 255;
      std::uint8_t* p = &expected[(static_cast<std::size_t>(h - 1 - y) * w + x) * 4];
      for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>((p[c] * a + 127) / 255);
      p[3] = static_cast<std::uint8_t>(a);
    }
  }
  const auto* got = reinterpret_cast<const std::uint8_t*>(rows.data());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (got[i] != expected[i]) {
      FAIL() << "effect " << effect << " on " << w << "x" << h << ": byte " << i << " is " << int(got[i])
             << ", expected " << int(expected[i]);
    }
  }
}

}  // namespace

TEST(ColourEffects, PremultipliedRowsCarryTheAlphaThroughEveryEffect) {
  std::mt19937 random(25);
  for (const auto& size : {std::pair<int, int>{1, 1}, {7, 3}, {37, 23}, {64, 9}, {129, 5}}) {
    const PlanarImage frame = RandomFrame(size.first, size.second, random);
    const std::vector<std::uint8_t> alpha = RandomAlpha(frame.red.size(), random);
    for (int effect = -1; effect <= 7; ++effect) ExpectPremultipliedReference(frame, alpha, effect);
    ExpectPremultipliedReference(frame, {}, Normal);  // no alpha of the frame's size: opaque
    ExpectPremultipliedReference(frame, {}, Emboss);
  }
  // Large enough for the stores that go around the caches.
  const PlanarImage large = RandomFrame(1030, 520, random);
  const std::vector<std::uint8_t> alpha = RandomAlpha(large.red.size(), random);
  for (int effect : {Normal, Negative, Grayscale}) ExpectPremultipliedReference(large, alpha, effect);

  // Every colour byte under every alpha, through the vector path.
  PlanarImage all = MakeFrame(256, 256);
  std::vector<std::uint8_t> every(all.red.size());
  for (std::size_t i = 0; i < every.size(); ++i) {
    all.red[i] = static_cast<std::uint8_t>(i & 0xFF);
    all.green[i] = static_cast<std::uint8_t>(255 - (i & 0xFF));
    all.blue[i] = static_cast<std::uint8_t>(i * 7);
    every[i] = static_cast<std::uint8_t>(i >> 8);
  }
  ExpectPremultipliedReference(all, every, Normal);
  ExpectPremultipliedReference(all, every, Solarization);
}
