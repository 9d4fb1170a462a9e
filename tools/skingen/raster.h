// A tiny anti-aliased rasteriser for the bundled skin: shapes are signed
// distance functions (negative inside, in pixels), coverage is taken from the
// distance at each pixel centre.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace skingen {

struct Colour {
  double r, g, b;  // 0..1
};

Colour Mix(const Colour& a, const Colour& b, double t);
Colour Scale(const Colour& c, double k);
Colour Hex(std::uint32_t rgb);
std::uint32_t Pack(const Colour& c);

struct Point {
  double x, y;
};

// Signed distance of a shape at a point, in pixels.
using Shape = std::function<double(Point)>;

Shape Circle(Point centre, double radius);
Shape Segment(Point a, Point b, double halfWidth);  // round caps
Shape Polygon(std::vector<Point> points);           // any simple polygon
Shape Union(std::vector<Shape> shapes);
Shape Offset(Shape shape, double by);                // grows by `by` pixels
// A circular arc stroke: angles in degrees, clockwise on screen from 3 o'clock.
Shape Arc(Point centre, double radius, double fromDegrees, double sweepDegrees, double halfWidth);

// Coverage of a pixel whose centre lies at signed distance d.
double Coverage(double d);

// A picture with a colour and an opacity per pixel.
class Canvas {
 public:
  // An opaque canvas is a picture; a clear one a layer whose opacity becomes its mask.
  Canvas(int width, int height, Colour fill, bool opaque);

  int width() const { return width_; }
  int height() const { return height_; }

  // Lays the shape over the picture: colour per pixel, opacity from coverage.
  void Fill(const Shape& shape, const std::function<Colour(Point)>& paint, double opacity = 1.0);
  void Fill(const Shape& shape, const Colour& colour, double opacity = 1.0);

  Colour& At(int x, int y) { return colour_[static_cast<std::size_t>(y) * width_ + x]; }
  double& AlphaAt(int x, int y) { return alpha_[static_cast<std::size_t>(y) * width_ + x]; }

  std::vector<std::uint32_t> Pixels() const;      // 0xRRGGBB
  std::vector<std::uint32_t> MaskPixels() const;  // opacity as grey, white = opaque

 private:
  int width_;
  int height_;
  std::vector<Colour> colour_;
  std::vector<double> alpha_;
};

// A mask pixel's grey for opacity a: the clock reads brightness as
// R * 0.587 + G * 0.299 + B * 0.114, truncated, so a plain grey may come out one
// lower; this picks the grey that reads back as round(a * 255).
std::uint32_t MaskGrey(double a);

}  // namespace skingen
