// The one process-wide clock object: the current skin (settings, layer table,
// composed frame, window-shape mask), the rendering buffers and the paths.
// FrameScheduler <- SkinPictures <- ClockState. Loading is the skin code's
// (skin/skin_loader.h); these members commit what it loaded.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "render/frame_scheduler.h"
#include "render/span_table.h"
#include "skin/layer_table.h"
#include "skin/planar_image.h"
#include "skin/skin_settings.h"
#include "skin/window_shape.h"

class SkinPictures : public FrameScheduler {
 public:
  SkinPictures() = default;
  ~SkinPictures() override;

  SkinSettings settings;

  std::vector<PlanarImage> layers;  // Animation + 6 entries, see LayerIndex
  bool hasLayers = false;
  PlanarImage frame;                // the composed clock picture, body-sized

  std::vector<std::uint8_t> hitMask;  // 1 = inside the window shape
  int hitMaskWidth = 0;
  int hitMaskHeight = 0;
  bool hasHitMask = false;
};

class ClockState : public SkinPictures {
 public:
  ClockState();
  ~ClockState() override;

  // Paths are UTF-8 (platform/files.h).
  std::string programDirectory;  // ends in a backslash
  std::string skinPath;
  std::string skinDirectory;     // skinPath up to and including its last backslash

  // Loading (everything but the platform region): settings into a scratch copy,
  // pictures, then the shape; the settings are committed only when the pictures
  // load. The shell applies `shape` to the window.
  bool LoadSkinData(WindowShape& shape);
  bool LoadSkinImages(const char* path, int animation);

  // Composition.
  void ComposeFrame();
  bool DrawLayer(int index, int x, int y, std::uint8_t opacity);
  bool DrawLayerRotated(int index, int x, int y, int pivotX, int pivotY, std::uint8_t opacity,
                        float angle);

  SpanTable spanTable;

  // The work introduction picture (128 x 220), made while its dialog is open.
  PlanarImage introPicture;
  bool hasIntroPicture = false;
};
