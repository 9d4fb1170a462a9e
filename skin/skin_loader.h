// Loading a skin file: its settings, every picture of the layer table, the
// first frame and the window's outline. Everything goes into fresh objects,
// so a skin that fails half-way leaves the caller's running skin untouched.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "skin/planar_image.h"
#include "skin/skin_settings.h"
#include "skin/window_shape.h"

// The layer table (Animation + 6 entries, see LayerIndex) and the frame, which
// starts as the body.
struct SkinPictureSet {
  std::vector<PlanarImage> layers;
  PlanarImage frame;
  // The body picture's own alpha (255 opaque), body-sized; empty when the body
  // has none. The body's layer and the frame stay without a mask.
  Plane bodyAlpha;
};

// What one skin file gives the clock.
struct SkinContent {
  SkinSettings settings;
  SkinPictureSet pictures;
  WindowShape shape;                  // invalid: the window is its full rectangle
  std::vector<std::uint8_t> hitMask;  // 1 = inside the outline, body-sized
  int hitMaskWidth = 0;
  int hitMaskHeight = 0;
};

// The pictures named by the skin file at `path`, file names taken relative to
// `skinDirectory`. A failure shows the message of the picture that failed.
bool LoadSkinPictures(const char* path, const std::string& skinDirectory, int animation,
                      SkinPictureSet& out);

// Settings, pictures and outline of the skin file at `skinPath`.
bool LoadSkinContent(const std::string& skinPath, const std::string& skinDirectory,
                     SkinContent& out);
