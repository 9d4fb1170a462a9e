#include "tools/skingen/raster.h"

#include <algorithm>
#include <cmath>

#include "skin/planar_image.h"

namespace skingen {

namespace {
constexpr double kPi = 3.14159265358979323846;

double Length(double x, double y) { return std::sqrt(x * x + y * y); }

double Channel(double v) { return std::clamp(v, 0.0, 1.0); }
}  // namespace

Colour Mix(const Colour& a, const Colour& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Scale(const Colour& c, double k) { return {c.r * k, c.g * k, c.b * k}; }

Colour Hex(std::uint32_t rgb) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

std::uint32_t Pack(const Colour& c) {
  const auto byte = [](double v) { return static_cast<std::uint32_t>(std::lround(Channel(v) * 255.0)); };
  return (byte(c.r) << 16) | (byte(c.g) << 8) | byte(c.b);
}

Shape Circle(Point c, double radius) {
  return [=](Point p) { return Length(p.x - c.x, p.y - c.y) - radius; };
}

Shape Segment(Point a, Point b, double halfWidth) {
  return [=](Point p) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
    return Length(p.x - (a.x + t * dx), p.y - (a.y + t * dy)) - halfWidth;
  };
}

Shape Polygon(std::vector<Point> v) {
  return [v](Point p) {
    double best = 1e30;
    bool inside = false;
    for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
      const Point a = v[j], b = v[i];
      const double dx = b.x - a.x, dy = b.y - a.y;
      const double len2 = dx * dx + dy * dy;
      const double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
      best = std::min(best, Length(p.x - (a.x + t * dx), p.y - (a.y + t * dy)));
      if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * dx / dy) inside = !inside;
    }
    return inside ? -best : best;
  };
}

Shape Union(std::vector<Shape> shapes) {
  return [shapes](Point p) {
    double d = 1e30;
    for (const Shape& s : shapes) d = std::min(d, s(p));
    return d;
  };
}

Shape Offset(Shape shape, double by) {
  return [shape, by](Point p) { return shape(p) - by; };
}

Shape Arc(Point c, double radius, double fromDegrees, double sweepDegrees, double halfWidth) {
  const double from = fromDegrees * kPi / 180.0;
  const double sweep = sweepDegrees * kPi / 180.0;
  const Point a{c.x + radius * std::cos(from), c.y + radius * std::sin(from)};
  const Point b{c.x + radius * std::cos(from + sweep), c.y + radius * std::sin(from + sweep)};
  return [=](Point p) {
    double angle = std::atan2(p.y - c.y, p.x - c.x);
    // Angle past the start in the sweep's direction, in [0, 2 pi).
    double along = sweep >= 0 ? angle - from : from - angle;
    along = std::fmod(along, 2 * kPi);
    if (along < 0) along += 2 * kPi;
    if (along <= std::fabs(sweep)) return std::fabs(Length(p.x - c.x, p.y - c.y) - radius) - halfWidth;
    return std::min(Length(p.x - a.x, p.y - a.y), Length(p.x - b.x, p.y - b.y)) - halfWidth;
  };
}

double Coverage(double d) { return std::clamp(0.5 - d, 0.0, 1.0); }

Canvas::Canvas(int width, int height, Colour fill, bool opaque)
    : width_(width),
      height_(height),
      colour_(static_cast<std::size_t>(width) * height, fill),
      alpha_(static_cast<std::size_t>(width) * height, opaque ? 1.0 : 0.0) {}

void Canvas::Fill(const Shape& shape, const std::function<Colour(Point)>& paint, double opacity) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const Point p{x + 0.5, y + 0.5};
      const double a = Coverage(shape(p)) * opacity;
      if (a <= 0) continue;
      Colour& c = At(x, y);
      double& alpha = AlphaAt(x, y);
      // "Over": the new paint on top of what is there, colours not premultiplied.
      const double out = a + alpha * (1 - a);
      const Colour top = paint(p);
      const double under = alpha * (1 - a);
      c = {(top.r * a + c.r * under) / out, (top.g * a + c.g * under) / out,
           (top.b * a + c.b * under) / out};
      alpha = out;
    }
  }
}

void Canvas::Fill(const Shape& shape, const Colour& colour, double opacity) {
  Fill(shape, [colour](Point) { return colour; }, opacity);
}

std::vector<std::uint32_t> Canvas::Pixels() const {
  std::vector<std::uint32_t> out;
  out.reserve(colour_.size());
  for (const Colour& c : colour_) out.push_back(Pack(c));
  return out;
}

std::vector<std::uint32_t> Canvas::MaskPixels() const {
  std::vector<std::uint32_t> out;
  out.reserve(alpha_.size());
  for (double a : alpha_) out.push_back(MaskGrey(a));
  return out;
}

std::uint32_t MaskGrey(double a) {
  const int want = static_cast<int>(std::lround(Channel(a) * 255.0));
  for (int g = want; g <= 255; ++g) {
    const std::uint32_t grey = static_cast<std::uint32_t>(g) * 0x010101u;
    if (MaskValue(grey) >= want) return grey;
  }
  return 0xFFFFFF;
}

}  // namespace skingen
