#include "tools/skingen/numerals.h"

#include <string>
#include <vector>

namespace skingen {

namespace {

constexpr double kDigitWidth = 0.56;
constexpr double kDigitGap = 0.2;

struct Stroke {
  bool arc;
  double a, b, c, d, e;  // line: u0 v0 u1 v1; arc: cu cv radius from sweep
};

Stroke Line(double u0, double v0, double u1, double v1) { return {false, u0, v0, u1, v1, 0}; }
Stroke Bow(double cu, double cv, double radius, double from, double sweep) {
  return {true, cu, cv, radius, from, sweep};
}

std::vector<Stroke> DigitStrokes(int digit) {
  switch (digit) {
    case 0:
      return {Bow(0.28, 0.28, 0.28, 180, 180), Bow(0.28, 0.72, 0.28, 0, 180), Line(0, 0.28, 0, 0.72),
              Line(0.56, 0.28, 0.56, 0.72)};
    case 1:
      return {Line(0.36, 0, 0.36, 1), Line(0.36, 0, 0.1, 0.2)};
    case 2:
      return {Bow(0.28, 0.28, 0.28, 190, 200), Line(0.522, 0.42, 0, 1), Line(0, 1, 0.56, 1)};
    case 3:
      return {Bow(0.28, 0.24, 0.24, 200, 250), Bow(0.28, 0.74, 0.26, 270, 250)};
    case 4:
      return {Line(0.42, 0, 0, 0.68), Line(0, 0.68, 0.56, 0.68), Line(0.42, 0, 0.42, 1)};
    case 5:
      return {Line(0.52, 0, 0.08, 0), Line(0.08, 0, 0.048, 0.468), Bow(0.26, 0.68, 0.3, 225, 270)};
    case 6:
      return {Bow(0.28, 0.72, 0.28, 0, 360), Bow(0.84, 0.72, 0.84, 180, 56)};
    case 7:
      return {Line(0, 0, 0.56, 0), Line(0.56, 0, 0.18, 1)};
    case 8:
      return {Bow(0.28, 0.235, 0.235, 0, 360), Bow(0.28, 0.735, 0.265, 0, 360)};
    default: {  // 9: the 6 (arcs only) turned half round
      std::vector<Stroke> six = DigitStrokes(6);
      for (Stroke& s : six) {
        s.a = kDigitWidth - s.a;
        s.b = 1 - s.b;
        s.d += 180;
      }
      return six;
    }
  }
}

}  // namespace

Shape Numeral(int value, Point centre, double height, double stroke) {
  const std::string text = std::to_string(value);
  const double width = (text.size() * kDigitWidth + (text.size() - 1) * kDigitGap) * height;
  const double left = centre.x - width / 2;
  const double top = centre.y - height / 2;
  std::vector<Shape> parts;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const double x0 = left + i * (kDigitWidth + kDigitGap) * height;
    const auto at = [&](double u, double v) { return Point{x0 + u * height, top + v * height}; };
    for (const Stroke& s : DigitStrokes(text[i] - '0')) {
      if (s.arc) {
        parts.push_back(Arc(at(s.a, s.b), s.c * height, s.d, s.e, stroke / 2));
      } else {
        parts.push_back(Segment(at(s.a, s.b), at(s.c, s.d), stroke / 2));
      }
    }
  }
  return Union(parts);
}

}  // namespace skingen
