// Working buffer of turned-layer drawing: for every frame row of a turned
// layer's footprint, the span of columns to visit.
#pragma once
#include <cstdint>
#include <vector>

struct ColumnSpan {
  std::int32_t left = 0;
  std::int32_t right = 0;  // inclusive; left > right means an empty row
};

class SpanTable {
 public:
  SpanTable() = default;
  virtual ~SpanTable();

  // Scan-converts the outline of a layerWidth x layerHeight layer whose point
  // (pivotX, pivotY) sits on frame point (x, y), turned by `angle` degrees.
  // False when there is nothing to draw (a quarter-turn angle, a footprint
  // outside the frame or of a single row).
  bool BuildSpans(int frameWidth, int frameHeight, int layerWidth, int layerHeight, int pivotX,
                  int pivotY, int x, int y, float angle);

  // spans[k] belongs to row firstRow + k, for rows firstRow..lastRow. The
  // storage is kept between calls so that drawing a frame allocates nothing
  // once the largest footprint has been seen.
  bool ownsSpans = false;
  std::int32_t firstRow = 0;
  std::int32_t lastRow = 0;
  std::vector<ColumnSpan> spans;
};

// A point turned about a centre.
struct TurnedPoint {
  double x;
  double y;
};

// Degrees to radians with the program's constant: the double nearest
// 3.14159265358979 / 180, a hair below the double nearest pi / 180.
constexpr double kRadiansPerDegree = 0.017453292519943278;

// Sine and cosine of one angle, taken once and used for every point of a layer.
struct Rotation {
  explicit Rotation(double angleDegrees);
  // Same result as RotatePoint(px, py, cx, cy, angleDegrees).
  TurnedPoint Turn(int px, int py, int cx, int cy) const {
    const double dx = static_cast<double>(px) - static_cast<double>(cx);
    const double dy = static_cast<double>(py) - static_cast<double>(cy);
    return {dx * cosR - dy * sinR + cx, dx * sinR + dy * cosR + cy};
  }
  double cosR;
  double sinR;
};

// X = (px - cx) cos r - (py - cy) sin r + cx, Y = (px - cx) sin r + (py - cy) cos r + cy.
TurnedPoint RotatePoint(int px, int py, int cx, int cy, double angleDegrees);

// Brings an angle into [0, 360): add 360 while below 0, then subtract 360 while
// 360 or more, each step in double precision and stored back as a float.
float ReduceAngle(float angle);
