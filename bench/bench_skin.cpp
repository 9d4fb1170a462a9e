#include "bench_skin.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

PlanarImage Picture(int w, int h, bool withMask) {
  PlanarImage p;
  const auto n = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
  p.red.assign(n, 0);
  p.green.assign(n, 0);
  p.blue.assign(n, 0);
  if (withMask) p.mask.assign(n, 0);
  p.width = w, p.height = h;
  p.hasPlanes = true, p.hasMask = withMask;
  return p;
}

// 255 inside, 0 outside, a linear ramp `soft` pixels wide across the edge;
// `distance` is negative inside.
std::uint8_t Coverage(double distance, double soft) {
  const double c = 0.5 - distance / soft;
  return static_cast<std::uint8_t>(255.0 * std::clamp(c, 0.0, 1.0));
}

void Shade(PlanarImage& p, std::size_t i, int r, int g, int b) {
  p.red[i] = static_cast<std::uint8_t>(r & 255);
  p.green[i] = static_cast<std::uint8_t>(g & 255);
  p.blue[i] = static_cast<std::uint8_t>(b & 255);
}

// A hand pointing up with its axis `axisFromBottom` above the bottom, tapering
// towards the tip, inside the transparent 2-pixel border.
PlanarImage Hand(int w, int h, int tone) {
  PlanarImage p = Picture(w, h, true);
  const double cx = (w - 1) / 2.0;
  const double inner = h - 4.0;
  for (int y = 2; y < h - 2; ++y)
    for (int x = 2; x < w - 2; ++x) {
      const double along = (y - 2) / inner;  // 0 at the tip, 1 at the tail
      const double half = 0.5 + (w / 2.0 - 2.5) * std::min(1.0, 0.2 + along);
      const auto i = static_cast<std::size_t>(y * w + x);
      p.mask[i] = Coverage(std::fabs(x - cx) - half, 1.5);
      Shade(p, i, tone + x * 3, tone / 2 + y, 255 - tone);
    }
  p.pivotX = w / 2;
  p.pivotY = h - h / 6;
  return p;
}

}  // namespace

void MakeBenchSkin(ClockState& clock, int size, bool antiAliasing) {
  const double k = size / 1024.0;
  auto scaled = [k](int v) { return std::max(6, static_cast<int>(std::lround(v * k))); };
  const double centre = (size - 1) / 2.0;

  clock.layers.assign(7, PlanarImage());
  clock.hasLayers = true;
  PlanarImage& body = clock.layers[Body];
  body = Picture(size, size, false);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      Shade(body, static_cast<std::size_t>(y * size + x), 40 + x / 8, 60 + y / 8,
            90 + (x ^ y) / 16);
  clock.frame = body;

  // Twelve soft discs on a ring: about a tenth of the picture.
  PlanarImage& numerals = clock.layers[DialNumerals];
  numerals = Picture(size, size, true);
  const double radius = 0.0515 * size;
  for (int n = 0; n < 12; ++n) {
    const double a = n * 3.14159265358979 / 6;
    const double dx = centre + 0.4 * size * std::sin(a), dy = centre - 0.4 * size * std::cos(a);
    const int x0 = std::max(0, static_cast<int>(dx - radius - 3));
    const int x1 = std::min(size - 1, static_cast<int>(dx + radius + 3));
    const int y0 = std::max(0, static_cast<int>(dy - radius - 3));
    const int y1 = std::min(size - 1, static_cast<int>(dy + radius + 3));
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        const auto i = static_cast<std::size_t>(y * size + x);
        numerals.mask[i] = Coverage(std::hypot(x - dx, y - dy) - radius, 2.5 * k + 1);
        Shade(numerals, i, 230, 220 - n * 5, 200);
      }
  }

  clock.layers[HourHand] = Hand(scaled(40), scaled(360), 30);
  clock.layers[MinuteHand] = Hand(scaled(30), scaled(480), 60);
  clock.layers[SecondHand] = Hand(scaled(12), scaled(500), 200);

  const int coverSize = scaled(96);
  PlanarImage& cover = clock.layers[Cover];
  cover = Picture(coverSize, coverSize, true);
  const double c = (coverSize - 1) / 2.0;
  for (int y = 0; y < coverSize; ++y)
    for (int x = 0; x < coverSize; ++x) {
      const auto i = static_cast<std::size_t>(y * coverSize + x);
      cover.mask[i] = Coverage(std::hypot(x - c, y - c) - (c - 2), 2.0);
      Shade(cover, i, 180 + x, 170 + y, 160);
    }

  SkinSettings& s = clock.settings;
  s.animation = 1;
  s.antiAliasing = antiAliasing;
  s.axisPosX = s.axisPosY = size / 2;
  s.coverPosX = s.coverPosY = size / 2 - coverSize / 2;
  clock.layers[DialFrame0] = PlanarImage();  // the dial is painted on the body

  clock.hour = kBenchHour, clock.minute = kBenchMinute, clock.second = kBenchSecond;
  clock.SetTimeSource([](int& h, int& m, int& sec) {
    h = kBenchHour, m = kBenchMinute, sec = kBenchSecond;
  });
}

std::vector<std::uint8_t> BenchWindowAlpha(int size) {
  std::vector<std::uint8_t> alpha(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
  const double centre = (size - 1) / 2.0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      alpha[static_cast<std::size_t>(y) * size + x] = Coverage(std::hypot(x - centre, y - centre) - size / 2.0, 1.0);
    }
  return alpha;
}
