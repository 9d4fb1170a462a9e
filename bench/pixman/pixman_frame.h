// The benchmark frame drawn by pixman with its own SIMD paths: the yardstick
// our compositor is measured against. Packed 32-bit pixels, as pixman wants.
#pragma once
#include <pixman.h>

#include <cstdint>
#include <vector>

#include "render/clock_state.h"

class PixmanFrame {
 public:
  // Copies the layers of a clock set up by MakeBenchSkin into pixman images.
  // premultipliedHands: each hand as one premultiplied picture turned without
  // a separate mask (pixman's fast bilinear path) instead of colour and mask
  // turned together (its general path).
  PixmanFrame(const ClockState& clock, bool premultipliedHands);
  ~PixmanFrame();
  PixmanFrame(const PixmanFrame&) = delete;
  PixmanFrame& operator=(const PixmanFrame&) = delete;

  // Body, numerals, hands and cover into the frame, then the frame into the
  // bottom-up 32-bit rows a window is painted from.
  void Draw();
  const std::uint32_t* rows() const { return rows_.data(); }

 private:
  struct Layer {
    pixman_image_t* colour = nullptr;
    pixman_image_t* mask = nullptr;
    std::vector<std::uint32_t> pixels;
    std::vector<std::uint8_t> alpha;
    int width = 0, height = 0, pivotX = 0, pivotY = 0;
  };
  void MakeLayer(Layer& out, const PlanarImage& in, bool premultiplied);
  void DrawUnturned(const Layer& layer, int x, int y);
  void DrawTurned(const Layer& layer, int x, int y, double degrees);

  int width_, height_;
  bool premultipliedHands_;
  std::vector<std::uint32_t> framePixels_;
  std::vector<std::uint32_t> rows_;
  pixman_image_t* frame_ = nullptr;
  pixman_image_t* out_ = nullptr;  // rows_ seen top-down through a negative stride
  Layer body_, numerals_, hands_[3], cover_;
  double handAngles_[3];
  int axisX_, axisY_, numeralsX_, numeralsY_, coverX_, coverY_;
};
