// The presentation's vector kernels against plain per-pixel arithmetic: the
// SSE2 luma kernel on every colour, every effect on frames full of the
// colours whose luma sums land on an integer, on widths that reach every
// kernel and tail, and on a frame large enough to be streamed to memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "render/colour_effects.h"
#include "render/effect_rows.h"
#include "render/luma_avx2.h"

namespace {

template <LumaOrder order>
void ExpectEveryColourSse2() {
  // One row per (red, green): all 256 blues, so every chunk is a vector one.
  std::vector<std::uint8_t> red(256), green(256), blue(256), lumas(256);
  for (int b = 0; b < 256; ++b) blue[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(b);
  for (int r = 0; r < 256; ++r) {
    std::fill(red.begin(), red.end(), static_cast<std::uint8_t>(r));
    for (int g = 0; g < 256; ++g) {
      std::fill(green.begin(), green.end(), static_cast<std::uint8_t>(g));
      LumaBytes<order>({red.data(), green.data(), blue.data()}, lumas.data(), 256);
      for (int b = 0; b < 256; ++b) {
        const int expected = Luma<order>(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                         static_cast<std::uint8_t>(b));
        if (lumas[static_cast<std::size_t>(b)] != expected) {
          FAIL() << "colour (" << r << ", " << g << ", " << b << ")";
        }
      }
    }
  }
}

TEST(EffectRows, Sse2LumasMatchTheDoubleSumOnEveryColour) {
  ExpectEveryColourSse2<LumaOrder::RedGreenBlue>();
  ExpectEveryColourSse2<LumaOrder::GreenRedBlue>();
  ExpectEveryColourSse2<LumaOrder::BlueGreenRed>();
}

// Greys, colours whose 299 r + 587 g + 114 b is a multiple of 1000 (the
// lumas the vector code hands to the double sum), black, white and others.
PlanarImage TrickyFrame(int width, int height, std::mt19937& random) {
  PlanarImage frame;
  frame.width = width, frame.height = height, frame.hasPlanes = true;
  const auto n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  frame.red.resize(n), frame.green.resize(n), frame.blue.resize(n);
  std::uniform_int_distribution<int> byte(0, 255), kind(0, 4);
  for (std::size_t i = 0; i < n; ++i) {
    int r = byte(random), g = byte(random), b = byte(random);
    switch (kind(random)) {
      case 0: g = b = r; break;
      case 1:
        for (b = 0; b < 256 && (299 * r + 587 * g + 114 * b) % 1000 != 0; ++b) {
        }
        if (b == 256) r = g = b = 255;
        break;
      case 2: r = g = b = byte(random) < 128 ? 0 : 255; break;
      default: break;
    }
    frame.red[i] = static_cast<std::uint8_t>(r);
    frame.green[i] = static_cast<std::uint8_t>(g);
    frame.blue[i] = static_cast<std::uint8_t>(b);
  }
  return frame;
}

// Pixel by pixel from the rules, as 0x00RRGGBB, the bottom row first.
std::vector<std::uint32_t> Plain(const PlanarImage& f, int effect) {
  const int w = f.width, h = f.height;
  std::vector<std::uint32_t> out(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  auto at = [&](int x, int y) { return static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x); };
  auto pack = [](int r, int g, int b) { return static_cast<std::uint32_t>(r << 16 | g << 8 | b); };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint8_t r = f.red[at(x, y)], g = f.green[at(x, y)], b = f.blue[at(x, y)];
      std::uint32_t p = pack(r, g, b);
      if (effect == Negative) p ^= 0xFFFFFFu;
      auto solar = [](int c) { return c >= 128 ? 255 - c : c + 1; };
      if (effect == Solarization) p = pack(solar(r), solar(g), solar(b));
      if (effect == Grayscale) p = static_cast<std::uint32_t>(LumaGrayscale(r, g, b)) * 0x010101u;
      if (effect == Gold) p = goldRamp[LumaGold(r, g, b)];
      if (effect == Sepia) {
        const int Y = LumaSepia(r, g, b), T = std::min(Y, 255 - Y);
        p = pack(std::min(Y + 41 * T / 127, 255), std::min(Y + 4 * T / 127, 255), std::max(Y - 41 * T / 127, 0));
      }
      if (effect == Emboss) {
        int d = 255;
        if (x == 0 || y == 0) {
          d = 0;
        } else if (x < w - 1 && y < h - 1) {
          d = LumaGold(f.red[at(x - 1, y - 1)], f.green[at(x - 1, y - 1)], f.blue[at(x - 1, y - 1)]);
        }
        p = static_cast<std::uint32_t>(std::clamp(LumaGold(r, g, b) - d + 128, 0, 255)) * 0x010101u;
      }
      out[static_cast<std::size_t>(h - 1 - y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] = p;
    }
  }
  return out;
}

void ExpectPlain(const PlanarImage& frame, int effect) {
  std::vector<std::uint32_t> rows;
  ASSERT_TRUE(RenderPresentation(frame, effect, rows));
  const std::vector<std::uint32_t> expected = Plain(frame, effect);
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i] != expected[i]) {
      FAIL() << "effect " << effect << " on " << frame.width << "x" << frame.height << ": pixel " << i << " is "
             << std::hex << rows[i] << ", expected " << expected[i];
    }
  }
}

TEST(EffectRows, EveryEffectOnEveryKernelAndTail) {
  // 64-, 32-, 16-pixel and single-pixel pieces in every combination, rows
  // whose 32-bit pixels start off a 16-byte boundary, one-pixel columns.
  std::mt19937 random(5);
  for (int width : {1, 2, 3, 15, 16, 17, 31, 32, 33, 47, 48, 49, 63, 64, 65, 80, 95, 96, 97, 112, 113, 128, 130, 200}) {
    const PlanarImage frame = TrickyFrame(width, 1 + width % 5 + 2, random);
    for (int effect = Normal; effect <= Emboss; ++effect) ExpectPlain(frame, effect);
  }
}

TEST(EffectRows, LargeFramesStreamedToMemoryGiveTheSamePixels) {
  // Over 2 MB of output, and a width that puts every other row off a 16-byte
  // boundary.
  std::mt19937 random(6);
  const PlanarImage frame = TrickyFrame(1030, 512, random);
  for (int effect = Normal; effect <= Emboss; ++effect) ExpectPlain(frame, effect);
}

// The same frames through the SSE2 kernels alone (for processors without AVX2) and
// with AVX2 at most, where the processor would take wider ones; a width of
// 1029 starts rows 4, 8 and 12 bytes past a 16-byte boundary.
TEST(EffectRows, NarrowerKernelsAloneGiveTheSamePixels) {
  for (int bits : {128, 256}) {
    SCOPED_TRACE(bits);
    struct Limit {
      explicit Limit(int b) { LimitWideKernels(b); }
      ~Limit() { LimitWideKernels(512); }
    } limit(bits);
    std::mt19937 random(7);
    for (int width : {15, 16, 17, 31, 33, 47, 63, 64, 65, 95, 97, 130}) {
      const PlanarImage frame = TrickyFrame(width, 1 + width % 5 + 2, random);
      for (int effect = Grayscale; effect <= Emboss; ++effect) ExpectPlain(frame, effect);
    }
    const PlanarImage large = TrickyFrame(1029, 520, random);
    for (int effect = Grayscale; effect <= Emboss; ++effect) ExpectPlain(large, effect);
  }
}

TEST(EffectRows, WideKernelsOnRowsStartingOffEveryBoundary) {
  std::mt19937 random(8);
  const PlanarImage large = TrickyFrame(1029, 520, random);
  for (int effect = Grayscale; effect <= Emboss; ++effect) ExpectPlain(large, effect);
}

}  // namespace
