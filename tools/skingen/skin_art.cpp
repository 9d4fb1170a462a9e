#include "tools/skingen/skin_art.h"

#include <algorithm>
#include <cmath>

#include "tools/skingen/numerals.h"

namespace skingen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kCentre = kAxis + 0.5;
constexpr double kOuter = 118.0;   // the window's round edge
constexpr double kFace = 104.5;    // where the bezel meets the face

const Colour kInk = Hex(0x141A2C);       // outlines
const Colour kCream = Hex(0xF4ECD6);
const Colour kCreamShade = Hex(0xD6C7A2);
const Colour kGold = Hex(0xE8C46A);
const Colour kCoral = Hex(0xFF6A57);

double Smooth(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

Colour FaceColour(double r, double x, double y) {
  // Midnight blue, lighter towards the centre and faintly towards the top.
  const double t = std::pow(std::min(r / kFace, 1.0), 1.6);
  Colour c = Mix(Hex(0x2B4072), Hex(0x0B1330), t);
  c = Mix(c, Hex(0x3A5288), 0.12 * Smooth(60, -80, y - kCentre) * (1 - t));
  // A soft inner shadow under the bezel.
  c = Scale(c, 1 - 0.35 * Smooth(kFace - 9, kFace, r));
  (void)x;
  return c;
}

Colour BezelColour(double r, double x, double y) {
  const double nx = (x - kCentre) / r, ny = (y - kCentre) / r;
  const double light = nx * -0.6 + ny * -0.8;  // lit from the top left
  const double t = (r - kFace) / (kOuter - kFace);
  const double slope = std::cos(kPi * t);      // inner side faces the centre
  const double shade = -slope * light;
  Colour c = Scale(Hex(0xBFC3CD), 1 + 0.42 * shade);
  // A bright rim along the crest and a dark groove on each side.
  c = Mix(c, Hex(0xFFFFFF), 0.35 * std::max(0.0, light) * std::exp(-std::pow((t - 0.5) / 0.12, 2)));
  c = Mix(c, kInk, 0.75 * (1 - Smooth(0, 1.4, r - kFace)));
  c = Mix(c, kInk, 0.85 * Smooth(kOuter - 1.6, kOuter - 0.2, r));
  return c;
}

Colour Lit(const Colour& c, double k) { return Mix(c, Hex(0xFFFFFF), k); }

// The shape with a dark rim, so a light hand reads over light numerals too.
void Outlined(Canvas& canvas, const Shape& shape, const std::function<Colour(Point)>& paint,
              double rim) {
  canvas.Fill(Offset(shape, rim), kInk, 0.8);
  canvas.Fill(shape, paint);
}

Shape Sparkle(Point c, double length, double waist) {
  return Union({Polygon({{c.x, c.y - length}, {c.x + waist, c.y}, {c.x, c.y + length}, {c.x - waist, c.y}}),
                Polygon({{c.x - length, c.y}, {c.x, c.y - waist}, {c.x + length, c.y}, {c.x, c.y + waist}}),
                Circle(c, waist * 0.9)});
}

// A lance-shaped hand pointing up from its axis at (cx, cy).
Hand Lance(int width, int height, int axisX, int axisY, double length, double half, double shoulder,
           double tail, double hub) {
  Canvas canvas(width, height, kCream, false);
  const double cx = axisX + 0.5, cy = axisY + 0.5;
  const Shape shape = Union({Polygon({{cx, cy - length},
                                      {cx + half, cy - shoulder},
                                      {cx + half * 0.62, cy + tail},
                                      {cx - half * 0.62, cy + tail},
                                      {cx - half, cy - shoulder}}),
                             Circle({cx, cy}, hub)});
  // Two facets: the left one catches the light.
  Outlined(canvas, shape, [cx](Point p) { return p.x < cx ? Lit(kCream, 0.4) : kCreamShade; }, 0.9);
  return {std::move(canvas), axisX, axisY};
}

}  // namespace

Canvas Body() {
  Canvas canvas(kBodySize, kBodySize, Hex(kKey), true);
  for (int y = 0; y < kBodySize; ++y) {
    for (int x = 0; x < kBodySize; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      const double r = std::hypot(px - kCentre, py - kCentre);
      // The outline is cut by the colour key, so its edge stays hard: a blended
      // edge pixel would show as a pink fringe on the desktop.
      if (r > kOuter) continue;
      const double toBezel = Smooth(kFace - 0.5, kFace + 0.5, r);
      canvas.At(x, y) = Mix(FaceColour(r, px, py), BezelColour(std::max(r, kFace), px, py), toBezel);
    }
  }
  return canvas;
}

Canvas Numerals() {
  const int size = kBodySize - 2 * kNumeralsOffset;
  const double c = kCentre - kNumeralsOffset;
  Canvas canvas(size, size, kCream, false);
  for (int i = 0; i < 60; ++i) {
    const double a = i * 6.0 * kPi / 180.0;
    const double sx = std::sin(a), sy = -std::cos(a);
    if (i % 5 == 0) {
      canvas.Fill(Segment({c + sx * 88, c + sy * 88}, {c + sx * 98, c + sy * 98}, 1.35), kGold);
    } else {
      canvas.Fill(Segment({c + sx * 94, c + sy * 94}, {c + sx * 98, c + sy * 98}, 0.55), kCream, 0.75);
    }
  }
  for (int hour = 1; hour <= 12; ++hour) {
    const double a = hour * 30.0 * kPi / 180.0;
    const double radius = hour >= 10 || hour <= 2 ? 73.5 : 75.0;  // two digits sit further in
    canvas.Fill(Numeral(hour, {c + std::sin(a) * radius, c - std::cos(a) * radius}, 15.5, 1.9), kCream);
  }
  return canvas;
}

Canvas MoonFrame(int frame) {
  Canvas canvas(72, 54, kGold, false);
  const Point moon{36.5, 28};
  // Glow: faint rings that fade outwards, a little brighter while the stars twinkle.
  const double glow = frame == 0 ? 1.0 : 1.0 + 0.5 * std::sin(kPi * frame / kDialFrames);
  for (int ring = 0; ring < 8; ++ring) {
    canvas.Fill(Circle(moon, 12.5 + ring * 1.6), Hex(0xF6D98A), 0.028 * glow);
  }
  const Shape outer = Circle(moon, 11.5);
  const Shape bite = Circle({moon.x + 5.2, moon.y - 3.6}, 9.6);
  canvas.Fill([outer, bite](Point p) { return std::max(outer(p), -bite(p)); },
              [moon](Point p) { return Mix(Hex(0xFFF1C2), kGold, std::clamp((p.y - moon.y + 10) / 22, 0.0, 1.0)); });
  // Stars: each swells and fades in turn during a run; frame 0 is the resting sky.
  static const struct {
    double x, y, size, phase;
  } kStars[] = {{12, 18, 3.2, 0.0}, {60, 12, 3.8, 1.0}, {63, 41, 2.8, 2.0}, {13, 44, 3.0, 3.0},
                {51, 25, 2.2, 1.5}};
  for (const auto& star : kStars) {
    double twinkle = 0;
    if (frame > 0) twinkle = std::max(0.0, std::sin(kPi * (frame - star.phase * 0.8) / 3.0));
    const double length = star.size * (1 + 1.3 * twinkle);
    canvas.Fill(Sparkle({star.x, star.y}, length, 0.55 + 0.35 * twinkle), Lit(kCream, 0.5),
                0.75 + 0.25 * twinkle);
  }
  return canvas;
}

Hand HourHand() { return Lance(17, 76, 8, 62, 54, 4.6, 20, 10, 4.8); }

Hand MinuteHand() { return Lance(15, 106, 7, 92, 86, 3.6, 30, 10, 4.2); }

Hand SecondHand() {
  Canvas canvas(11, 126, kCoral, false);
  const double cx = 5.5, cy = 100.5;
  const Shape shape = Union({Segment({cx, cy - 95}, {cx, cy + 20}, 0.75),
                             Segment({cx, cy + 11}, {cx, cy + 18}, 2.3), Circle({cx, cy}, 3.2)});
  Outlined(canvas, shape, [](Point) { return kCoral; }, 0.6);
  return {std::move(canvas), 5, 100};
}

int CapOffset() { return kAxis - 7; }

Canvas Cap() {
  Canvas canvas(15, 15, kGold, false);
  const Point c{7.5, 7.5};
  canvas.Fill(Circle(c, 5.6), kInk, 0.8);
  canvas.Fill(Circle(c, 4.8), [c](Point p) {
    const double d = std::hypot(p.x - (c.x - 1.6), p.y - (c.y - 1.8));
    return Mix(Hex(0xFFF6D0), Hex(0xA07A34), std::clamp(d / 6.5, 0.0, 1.0));
  });
  canvas.Fill(Circle(c, 1.1), Hex(0x5A4320));
  return canvas;
}

}  // namespace skingen
