#include "pixman/pixman_frame.h"

#include <algorithm>
#include <cmath>

#include "render/hand_angles.h"
#include "render/span_table.h"

namespace {

pixman_image_t* Wrap(pixman_format_code_t format, int w, int h, void* bits, int strideBytes) {
  return pixman_image_create_bits(format, w, h, static_cast<std::uint32_t*>(bits), strideBytes);
}

}  // namespace

PixmanFrame::PixmanFrame(const ClockState& clock, bool premultipliedHands)
    : width_(clock.frame.width), height_(clock.frame.height), premultipliedHands_(premultipliedHands) {
  const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  framePixels_.assign(count, 0);
  rows_.assign(count, 0);
  frame_ = Wrap(PIXMAN_x8r8g8b8, width_, height_, framePixels_.data(), width_ * 4);
  // Row 0 of this image is the last row of the buffer: the bottom-up picture.
  out_ = Wrap(PIXMAN_x8r8g8b8, width_, height_, rows_.data() + (count - static_cast<std::size_t>(width_)),
              -width_ * 4);

  MakeLayer(body_, clock.layers[Body], false);
  MakeLayer(numerals_, clock.layers[DialNumerals], false);
  MakeLayer(cover_, clock.layers[Cover], false);
  const int hands[3] = {HourHand, MinuteHand, SecondHand};
  for (int k = 0; k < 3; ++k) MakeLayer(hands_[k], clock.layers[static_cast<std::size_t>(hands[k])], premultipliedHands);
  handAngles_[0] = ReduceAngle(HourHandAngle(clock.hour, clock.minute, clock.second));
  handAngles_[1] = ReduceAngle(MinuteHandAngle(clock.minute));
  handAngles_[2] = ReduceAngle(SecondHandAngle(clock.second));
  axisX_ = clock.settings.axisPosX, axisY_ = clock.settings.axisPosY;
  numeralsX_ = clock.settings.dialNumPosX, numeralsY_ = clock.settings.dialNumPosY;
  coverX_ = clock.settings.coverPosX, coverY_ = clock.settings.coverPosY;
}

PixmanFrame::~PixmanFrame() {
  for (Layer* l : {&body_, &numerals_, &hands_[0], &hands_[1], &hands_[2], &cover_}) {
    if (l->colour) pixman_image_unref(l->colour);
    if (l->mask) pixman_image_unref(l->mask);
  }
  pixman_image_unref(frame_);
  pixman_image_unref(out_);
}

void PixmanFrame::MakeLayer(Layer& out, const PlanarImage& in, bool premultiplied) {
  out.width = in.width, out.height = in.height, out.pivotX = in.pivotX, out.pivotY = in.pivotY;
  const std::size_t count = static_cast<std::size_t>(in.width) * static_cast<std::size_t>(in.height);
  out.pixels.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::uint32_t r = in.red[i], g = in.green[i], b = in.blue[i], a = 255;
    if (premultiplied) {
      a = in.mask[i];
      r = (r * a + 127) / 255, g = (g * a + 127) / 255, b = (b * a + 127) / 255;
    }
    out.pixels[i] = a << 24 | r << 16 | g << 8 | b;
  }
  out.colour = Wrap(premultiplied ? PIXMAN_a8r8g8b8 : PIXMAN_x8r8g8b8, in.width, in.height,
                    out.pixels.data(), in.width * 4);
  if (in.hasMask && !premultiplied) {
    const int stride = (in.width + 3) & ~3;  // pixman rows are 4-byte aligned
    out.alpha.assign(static_cast<std::size_t>(stride) * static_cast<std::size_t>(in.height), 0);
    for (int y = 0; y < in.height; ++y)
      std::copy_n(&in.mask[static_cast<std::size_t>(y) * static_cast<std::size_t>(in.width)], in.width,
                  &out.alpha[static_cast<std::size_t>(y) * static_cast<std::size_t>(stride)]);
    out.mask = Wrap(PIXMAN_a8, in.width, in.height, out.alpha.data(), stride);
  }
}

void PixmanFrame::DrawUnturned(const Layer& layer, int x, int y) {
  const int left = x - layer.pivotX, top = y - layer.pivotY;
  pixman_image_composite32(layer.mask ? PIXMAN_OP_OVER : PIXMAN_OP_SRC, layer.colour, layer.mask, frame_,
                           0, 0, 0, 0, left, top, layer.width, layer.height);
}

void PixmanFrame::DrawTurned(const Layer& layer, int x, int y, double degrees) {
  const double r = degrees * kRadiansPerDegree, c = std::cos(r), s = std::sin(r);
  // Frame point -> layer point, about pixel centres: p = R(-angle)(P - axis) + pivot.
  const double ax = x + 0.5, ay = y + 0.5, px = layer.pivotX + 0.5, py = layer.pivotY + 0.5;
  pixman_f_transform f;
  f.m[0][0] = c, f.m[0][1] = s, f.m[0][2] = px - (c * ax + s * ay);
  f.m[1][0] = -s, f.m[1][1] = c, f.m[1][2] = py - (-s * ax + c * ay);
  f.m[2][0] = 0, f.m[2][1] = 0, f.m[2][2] = 1;
  pixman_transform t;
  pixman_transform_from_pixman_f_transform(&t, &f);

  // The footprint's bounding box in the frame.
  double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
  for (int corner = 0; corner < 4; ++corner) {
    const double dx = (corner & 1 ? layer.width : 0) - px, dy = (corner & 2 ? layer.height : 0) - py;
    const double fx = ax + dx * c - dy * s, fy = ay + dx * s + dy * c;
    x0 = std::min(x0, fx), x1 = std::max(x1, fx), y0 = std::min(y0, fy), y1 = std::max(y1, fy);
  }
  const int left = std::max(0, static_cast<int>(std::floor(x0))), top = std::max(0, static_cast<int>(std::floor(y0)));
  const int right = std::min(width_, static_cast<int>(std::ceil(x1))), bottom = std::min(height_, static_cast<int>(std::ceil(y1)));
  if (left >= right || top >= bottom) return;

  pixman_image_set_transform(layer.colour, &t);
  pixman_image_set_filter(layer.colour, PIXMAN_FILTER_BILINEAR, nullptr, 0);
  if (layer.mask) {
    pixman_image_set_transform(layer.mask, &t);
    pixman_image_set_filter(layer.mask, PIXMAN_FILTER_BILINEAR, nullptr, 0);
  }
  pixman_image_composite32(PIXMAN_OP_OVER, layer.colour, layer.mask, frame_, left, top, left, top, left, top,
                           right - left, bottom - top);
}

void PixmanFrame::Draw() {
  DrawUnturned(body_, body_.pivotX, body_.pivotY);
  DrawUnturned(numerals_, numeralsX_, numeralsY_);
  for (int k = 0; k < 3; ++k) DrawTurned(hands_[k], axisX_, axisY_, handAngles_[k]);
  DrawUnturned(cover_, coverX_, coverY_);
  pixman_image_composite32(PIXMAN_OP_SRC, frame_, nullptr, out_, 0, 0, 0, 0, 0, 0, width_, height_);
}
