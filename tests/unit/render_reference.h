// A deliberately plain renderer, pixel by pixel with true divisions and a sine
// and cosine per pixel, that the optimised drawing must match bit for bit.
#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>

#include "reference_spans.h"
#include "render/clock_state.h"
#include "render/exact_trig.h"
#include "render/span_table.h"

namespace reference {

inline float Reduce(float a) {
  while (a < 0) a = static_cast<float>(static_cast<double>(a) + 360.0);
  while (a >= 360) a = static_cast<float>(static_cast<double>(a) - 360.0);
  return a;
}

inline int Blend(int src, int dst, int m) { return (src * m + dst * (255 - m)) / 255; }

struct Sample {
  int m = 0, r = 0, g = 0, b = 0;
};

inline Sample At(const PlanarImage& layer, long long u, long long v) {
  if (u < 0 || v < 0 || u >= layer.width || v >= layer.height) return {};
  const auto i = static_cast<std::size_t>(v * layer.width + u);
  return {layer.hasMask ? layer.mask[i] : 255, layer.red[i], layer.green[i], layer.blue[i]};
}

inline void Put(PlanarImage& frame, long long x, long long y, const Sample& s, int m) {
  const auto d = static_cast<std::size_t>(y * frame.width + x);
  frame.red[d] = static_cast<std::uint8_t>(Blend(s.r, frame.red[d], m));
  frame.green[d] = static_cast<std::uint8_t>(Blend(s.g, frame.green[d], m));
  frame.blue[d] = static_cast<std::uint8_t>(Blend(s.b, frame.blue[d], m));
}

inline bool DrawLayerRotated(PlanarImage& frame, const PlanarImage& layer, int x, int y, int px,
                             int py, float angle, bool antiAliasing, SpanTable& table) {
  angle = Reduce(angle);
  const long long w = layer.width, h = layer.height;
  if (angle == 0) {
    const long long l = x - px, t = y - py;
    for (long long fy = 0; fy < frame.height; ++fy)
      for (long long fx = 0; fx < frame.width; ++fx)
        if (fx >= l && fx < l + w && fy >= t && fy < t + h) {
          const Sample s = At(layer, fx - l, fy - t);
          Put(frame, fx, fy, s, s.m);
        }
    return true;
  }
  if (!layer.hasMask) return false;
  if (angle == 90 || angle == 180 || angle == 270) {
    for (long long sy = 0; sy < h; ++sy)
      for (long long sx = 0; sx < w; ++sx) {
        const long long dx = sx - px, dy = sy - py;
        long long fx = x + dy, fy = y - dx;  // 270
        if (angle == 90) fx = x - dy, fy = y + dx;
        if (angle == 180) fx = x - dx, fy = y - dy;
        if (fx < 0 || fy < 0 || fx >= frame.width || fy >= frame.height) continue;
        const Sample s = At(layer, sx, sy);
        Put(frame, fx, fy, s, s.m);
      }
    return true;
  }
  (void)table;
  const Footprint foot =
      Spans(frame.width, frame.height, layer.width, layer.height, px, py, x, y, angle);
  const int end = foot.lastRow - (antiAliasing ? 1 : 2);
  for (int j = foot.firstRow; j <= end; ++j) {
    const std::size_t row = static_cast<std::size_t>(j - foot.firstRow);
    // A one-pixel-wide layer has coinciding corners and NaN edges: keep to the frame.
    for (int i = std::max(foot.left[row], 0); i <= std::min(foot.right[row], frame.width - 1); ++i) {
      // The frame pixel turned back about the axis, with the correctly
      // rounded sine and cosine every build shares.
      const double back = -static_cast<double>(angle) * kRadiansPerDegree;
      const double c = ExactCos(back), s = ExactSin(back);
      const double dx = static_cast<double>(i) - x, dy = static_cast<double>(j) - y;
      const double u = (dx * c - dy * s + x) - x + px, v = (dx * s + dy * c + y) - y + py;
      if (!antiAliasing) {
        const Sample s = At(layer, static_cast<int>(u + 0.5), static_cast<int>(v + 0.5));
        Put(frame, i, j, s, s.m);
        continue;
      }
      const int iu = static_cast<int>(u), iv = static_cast<int>(v);
      const double fx = u - iu, fy = v - iv;
      const double w00 = (1 - fx) * (1 - fy), w10 = fx * (1 - fy), w01 = (1 - fx) * fy,
                   w11 = fx * fy;
      const Sample s00 = At(layer, iu, iv), s10 = At(layer, iu + 1, iv),
                   s01 = At(layer, iu, iv + 1), s11 = At(layer, iu + 1, iv + 1);
      const double sum = ((w11 * s11.m + w01 * s01.m) + w10 * s10.m) + w00 * s00.m;
      if (sum == 0) continue;
      const int a = static_cast<std::uint8_t>(
          static_cast<int>(sum / (((w11 + w01) + w10) + w00)));
      auto colour = [&](int Sample::*c) {
        const double total = (((w01 * s01.m) * (s01.*c) + (w10 * s10.m) * (s10.*c)) +
                              (w00 * s00.m) * (s00.*c)) +
                             (w11 * s11.m) * (s11.*c);
        return static_cast<int>(static_cast<std::uint8_t>(static_cast<int>(total / sum)));
      };
      Put(frame, i, j, {0, colour(&Sample::r), colour(&Sample::g), colour(&Sample::b)}, a);
    }
  }
  return true;
}

// Composition in its order, through the plain drawing above.
inline void ComposeFrame(ClockState& st) {
  const PlanarImage& body = st.layers[Body];
  for (std::size_t i = 0; i < static_cast<std::size_t>(body.width * body.height); ++i) {
    st.frame.red[i] = body.red[i];
    st.frame.green[i] = body.green[i];
    st.frame.blue[i] = body.blue[i];
  }
  auto draw = [&](int index, int x, int y, float angle) {
    const PlanarImage& layer = st.layers[static_cast<std::size_t>(index)];
    DrawLayerRotated(st.frame, layer, x, y, layer.pivotX, layer.pivotY, angle,
                     st.settings.antiAliasing, st.spanTable);
  };
  const int n = st.settings.animation;
  if (n == 1) draw(DialFrame0, st.settings.dialPosX, st.settings.dialPosY, 0);
  if (n >= 2) {
    if (st.animating && ++st.animationFrame >= n) st.animationFrame = 0, st.animating = false;
    draw(DialFrame0 + (st.animating ? st.animationFrame : 0), st.settings.dialPosX,
         st.settings.dialPosY, 0);
  }
  draw(DialNumerals, st.settings.dialNumPosX, st.settings.dialNumPosY, 0);
  const float s = static_cast<float>(st.second * 6), m = static_cast<float>(st.minute * 6);
  const double c60 = 0.016666668f, c12 = 0.083333336f;
  const float hour = static_cast<float>(st.hour * 30 + (s * c60 + m) * c12);
  draw(HourHand, st.settings.axisPosX, st.settings.axisPosY, hour);
  draw(MinuteHand, st.settings.axisPosX, st.settings.axisPosY, m);
  draw(SecondHand, st.settings.axisPosX, st.settings.axisPosY, s);
  draw(Cover, st.settings.coverPosX, st.settings.coverPosY, 0);
}

}  // namespace reference
