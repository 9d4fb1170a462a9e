#include "render/span_table.h"

#include <cmath>
#include <cstdint>

#include "render/exact_trig.h"
#include "render/pixel_blend.h"

SpanTable::~SpanTable() = default;

Rotation::Rotation(double angleDegrees) {
  const double r = angleDegrees * kRadiansPerDegree;
  // Correctly rounded, so that every build and C library turns a layer alike.
  cosR = ExactCos(r);
  sinR = ExactSin(r);
}

TurnedPoint RotatePoint(int px, int py, int cx, int cy, double angleDegrees) {
  return Rotation(angleDegrees).Turn(px, py, cx, cy);
}

float ReduceAngle(float angle) {
  // An angle that is not a number or infinite would loop forever; no time
  // gives one, so it simply counts as unturned.
  if (!std::isfinite(angle)) return 0.0f;
  // Far-out angles are brought near the range first (fmod is exact), so the
  // loops below stay short; the angles of a clock never come here.
  if (std::fabs(angle) > 360.0f * 4096.0f) {
    angle = static_cast<float>(std::fmod(static_cast<double>(angle), 360.0));
  }
  while (angle < 0) angle = static_cast<float>(static_cast<double>(angle) + 360.0);
  while (angle >= 360) angle = static_cast<float>(static_cast<double>(angle) - 360.0);
  return angle;
}

namespace {

// Wrapping integer arithmetic: skin values can be anything an INI holds.
std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
std::int32_t WrapSub(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

// x of the straight line through a and b at row j.
double LineX(const TurnedPoint& a, const TurnedPoint& b, std::int32_t j) {
  return a.x + (j - a.y) * (b.x - a.x) / (b.y - a.y);
}

double Larger(double a, double b) { return a > b ? a : b; }
double Smaller(double a, double b) { return a < b ? a : b; }

}  // namespace

bool SpanTable::BuildSpans(int frameWidth, int frameHeight, int layerWidth, int layerHeight,
                           int pivotX, int pivotY, int x, int y, float angle) {
  ownsSpans = false;
  spans.clear();  // keeps the capacity

  angle = ReduceAngle(angle);
  if (angle == 0 || angle == 90 || angle == 180 || angle == 270) return false;

  // Corner pixels (pixel positions, not edges) of the unturned layer.
  const std::int32_t l = WrapSub(x, pivotX);
  const std::int32_t t = WrapSub(y, pivotY);
  const std::int32_t r = WrapSub(WrapAdd(l, layerWidth), 1);
  const std::int32_t b = WrapSub(WrapAdd(t, layerHeight), 1);
  const Rotation turn(static_cast<double>(angle));
  const TurnedPoint lt = turn.Turn(l, t, x, y);
  const TurnedPoint rt = turn.Turn(r, t, x, y);
  const TurnedPoint lb = turn.Turn(l, b, x, y);
  const TurnedPoint rb = turn.Turn(r, b, x, y);

  // Name the corners by where they end up.
  TurnedPoint top, left, bottom, right;
  if (angle < 90) {
    top = lt, left = lb, bottom = rb, right = rt;
  } else if (angle < 180) {
    top = lb, left = rb, bottom = rt, right = lt;
  } else if (angle < 270) {
    top = rb, left = rt, bottom = lt, right = lb;
  } else {
    top = rt, left = lt, bottom = lb, right = rb;
  }

  const double fw = frameWidth;
  const double fh = frameHeight;
  if (TruncToInt(top.y + 0.5) > frameHeight || TruncToInt(left.x + 0.5) > frameWidth ||
      TruncToInt(bottom.y - 0.5) < 0 || TruncToInt(right.x - 0.5) < 0) {
    return false;
  }

  // First row: the top vertex, or where the outline enters through a side.
  double p;
  if (0 < top.x && top.x < fw) {
    p = top.y;
  } else if (top.x <= 0) {
    p = top.y - top.x * (right.y - top.y) / (right.x - top.x);
  } else {
    const double s = (left.y - top.y) / (left.x - top.x);
    p = top.y + s * fw - s * top.x;
  }
  std::int64_t first = 0;
  if (p >= 0) {
    // Beyond what an int holds the footprint lies far below the frame.
    if (p - 0.5 >= 2147483648.0) return false;
    first = TruncToInt(p - 0.5);
  }

  // Last row: the bottom vertex, or where the outline leaves through a side.
  if (0 < bottom.x && bottom.x < fw) {
    p = bottom.y;
  } else if (bottom.x <= 0) {
    p = right.y - right.x * (bottom.y - right.y) / (bottom.x - right.x);
  } else {
    const double s = (bottom.y - left.y) / (bottom.x - left.x);
    p = left.y + s * fw - s * left.x;
  }
  std::int64_t last = p <= fh ? TruncToInt(p + 0.5) : frameHeight;
  if (last > frameHeight) last = frameHeight;

  if (last - first <= 0) return false;  // a footprint of one row is not drawn

  firstRow = static_cast<std::int32_t>(first);
  lastRow = static_cast<std::int32_t>(last);
  spans.resize(static_cast<std::size_t>(last - first + 2));
  ownsSpans = true;

  // The larger of the two left lines and the smaller of the two right lines
  // bound the convex outline on every row; +1 and -0.5 pull the span inside.
  for (std::int32_t j = firstRow; j <= lastRow; ++j) {
    double lx = Larger(LineX(top, left, j), LineX(left, bottom, j)) + 1;
    if (lx <= 0) {
      lx = 0;
    } else if (lx >= fw + 1) {
      lx = fw + 1;
    }
    double rx = Smaller(LineX(top, right, j), LineX(right, bottom, j)) - 0.5;
    if (rx <= 0) {
      rx = 0;
    } else if (rx >= fw - 1) {
      rx = fw - 1;
    }
    ColumnSpan& span = spans[static_cast<std::size_t>(j - firstRow)];
    span.left = TruncToInt(lx);
    span.right = TruncToInt(rx);
  }
  return true;
}
