// The footprint of a turned layer worked out plainly, row by row, for the
// reference renderer: it shares only the sine and cosine with the program.
#pragma once
#include <cstdint>
#include <limits>
#include <vector>

#include "render/exact_trig.h"
#include "render/span_table.h"

namespace reference {

struct Point {
  double x, y;
};

struct Footprint {
  int firstRow = 0;
  int lastRow = -1;
  std::vector<std::int32_t> left, right;  // per row from firstRow, inclusive columns
};

// C's truncation, with the one value the hardware gives for what an int cannot hold.
inline std::int32_t Trunc(double v) {
  if (v > -2147483649.0 && v < 2147483648.0) return static_cast<std::int32_t>(v);
  return std::numeric_limits<std::int32_t>::min();
}

// (px, py) turned by `angle` degrees about (cx, cy).
inline Point Turn(double px, double py, double cx, double cy, double angle) {
  // The correctly rounded sine and cosine every build shares.
  const double r = angle * kRadiansPerDegree;
  const double c = ExactCos(r), s = ExactSin(r);
  return {(px - cx) * c - (py - cy) * s + cx, (px - cx) * s + (py - cy) * c + cy};
}

// x of the line from a through b at row j.
inline double LineX(Point a, Point b, double j) { return a.x + (j - a.y) * (b.x - a.x) / (b.y - a.y); }

// The rows and columns a layer turned by `angle` (already in (0, 360), not a
// quarter turn) covers in a w x h frame; empty when it covers nothing.
inline Footprint Spans(int w, int h, int layerW, int layerH, int px, int py, int x, int y,
                       float angle) {
  Footprint f;
  auto wrap = [](std::int64_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); };
  const std::int32_t l = wrap(std::int64_t{x} - px), t = wrap(std::int64_t{y} - py);
  const std::int32_t r = wrap(std::int64_t{l} + layerW - 1), b = wrap(std::int64_t{t} + layerH - 1);
  const Point lt = Turn(l, t, x, y, angle), rt = Turn(r, t, x, y, angle);
  const Point lb = Turn(l, b, x, y, angle), rb = Turn(r, b, x, y, angle);
  // Corners named by where they end up after the turn.
  const int quarter = (angle >= 90) + (angle >= 180) + (angle >= 270);
  const Point named[4][4] = {{lt, lb, rb, rt}, {lb, rb, rt, lt}, {rb, rt, lt, lb}, {rt, lt, lb, rb}};
  const Point top = named[quarter][0], left = named[quarter][1], bottom = named[quarter][2],
              right = named[quarter][3];
  if (Trunc(top.y + 0.5) > h || Trunc(left.x + 0.5) > w || Trunc(bottom.y - 0.5) < 0 ||
      Trunc(right.x - 0.5) < 0) {
    return f;
  }
  // The first row is where the outline first reaches into the frame's columns.
  double enter = top.y;
  if (top.x <= 0) enter = top.y - top.x * (right.y - top.y) / (right.x - top.x);
  if (top.x >= w) enter = top.y + (left.y - top.y) / (left.x - top.x) * w -
                          (left.y - top.y) / (left.x - top.x) * top.x;
  double leave = bottom.y;
  if (bottom.x <= 0) leave = right.y - right.x * (bottom.y - right.y) / (bottom.x - right.x);
  if (bottom.x >= w) leave = left.y + (bottom.y - left.y) / (bottom.x - left.x) * w -
                             (bottom.y - left.y) / (bottom.x - left.x) * left.x;
  if (enter >= 0 && enter - 0.5 >= 2147483648.0) return f;
  const std::int64_t first = enter >= 0 ? Trunc(enter - 0.5) : 0;
  std::int64_t last = leave <= h ? Trunc(leave + 0.5) : h;
  if (last > h) last = h;
  if (last <= first) return f;
  f.firstRow = static_cast<int>(first);
  f.lastRow = static_cast<int>(last);
  for (std::int64_t j = first; j <= last; ++j) {
    // "The larger" and "the smaller" as plain comparisons: with a NaN line (a
    // layer one pixel wide) the other line wins.
    const double a = LineX(top, left, j), b = LineX(left, bottom, j);
    const double c = LineX(top, right, j), d = LineX(right, bottom, j);
    double lx = (a > b ? a : b) + 1;
    double rx = (c < d ? c : d) - 0.5;
    lx = lx <= 0 ? 0 : (lx >= w + 1 ? w + 1 : lx);
    rx = rx <= 0 ? 0 : (rx >= w - 1 ? w - 1 : rx);
    f.left.push_back(Trunc(lx));
    f.right.push_back(Trunc(rx));
  }
  return f;
}

}  // namespace reference
