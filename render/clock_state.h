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
#include "skin/display_scale.h"
#include "skin/planar_image.h"
#include "skin/skin_scaling.h"
#include "skin/skin_settings.h"
#include "skin/window_shape.h"

class SkinPictures : public FrameScheduler {
 public:
  SkinPictures() = default;
  ~SkinPictures() override;

  SkinSettings settings;

  std::vector<PlanarImage> layers;  // Animation + 6 entries, see LayerIndex
  bool hasLayers = false;
  PlanarImage frame;                // the composed clock picture, body-sized at the drawing scale

  std::vector<std::uint8_t> hitMask;  // 1 = inside the window shape
  // The window's alpha, frame-sized: 0 where the body is cut, 255 where it
  // shows, between where a scaled outline covers part of a pixel.
  std::vector<std::uint8_t> frameAlpha;
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
  // The skin is drawn at `displayDpi` (or the largest scale below it that the
  // memory bounds allow); `shape` is the outline at that size.
  bool LoadSkinData(WindowShape& shape);

  // Display scale. `layers`, `frame` and `hitMask` are what the window shows:
  // at 96 dpi the skin as loaded, at any other scale copies scaled from it.
  // Settings (positions included) always stay as the skin file says.
  int displayDpi = kBaseDpi;  // the monitor's, clamped; set before a load
  int DrawDpi() const { return drawDpi_; }
  // Draws the loaded skin for a monitor at `dpi` from now on: `shape` becomes
  // the outline at the new size. The dial animation, time and settings stay.
  // The copies of the old scale go before those of the new one are made. False
  // when there is no skin or its copies could not be made (memory): the clock
  // then draws the skin as loaded, and `shape` is its outline.
  bool ChangeDisplayDpi(int dpi, WindowShape& shape);

  // A window that shows frameAlpha (layered) is cut to every pixel with any
  // alpha, so no soft edge is lost; otherwise the outline is hitMask's, the
  // pixels of alpha 128 and above. Set by the shell before a load.
  bool softEdges = false;
  // How opaque a window that shows frameAlpha is as a whole, 0..100.
  int windowOpacityPercent = 100;

  // The window could not take the shape: it is its full rectangle, and hit
  // tests (hitMask) say so. The outline as loaded stays for every later scale.
  void UseFullWindowOutline();

  // Composition. ComposeFrame advances a running dial animation by one frame;
  // RedrawFrame draws the same moment again (after a change of scale).
  void ComposeFrame();
  void RedrawFrame();
  bool DrawLayer(int index, int x, int y, std::uint8_t opacity);
  bool DrawLayerRotated(int index, int x, int y, int pivotX, int pivotY, std::uint8_t opacity,
                        float angle);

  SpanTable spanTable;

  // The work introduction picture (128 x 220), made while its dialog is open.
  PlanarImage introPicture;
  bool hasIntroPicture = false;

 private:
  void Compose(bool advanceDial);
  void DrawAsLoaded();
  void KeepOutline();
  // The window's alpha of the skin as loaded, the source of every scale.
  std::vector<std::uint8_t> AlphaAsLoaded() const;
  void OutlineForWindow(WindowShape& shape) const;

  int drawDpi_ = kBaseDpi;
  std::vector<PlanarImage> loaded_;  // the layers as loaded while copies are drawn
  std::vector<std::uint8_t> outline_;  // the outline as loaded, hitMask's source
  Plane bodyAlpha_;  // the body picture's own alpha as loaded; empty without one
  int outlineWidth_ = 0;
  int outlineHeight_ = 0;
};
