#include "render/clock_state.h"

#include <utility>

#include "platform/files.h"
#include "skin/layer_table.h"
#include "skin/skin_loader.h"

SkinPictures::~SkinPictures() = default;

ClockState::ClockState() : programDirectory(platform::ProgramDirectory()) {}

ClockState::~ClockState() = default;

bool ClockState::LoadSkinData(WindowShape& shape) {
  shape = WindowShape();
  // Loaded whole into scratch and committed together, so a skin that fails
  // half-way leaves the running clock as it was (the dial frame count never
  // exceeds the table composition draws from).
  SkinContent fresh;
  if (!LoadSkinContent(skinPath, skinDirectory, fresh)) return false;
  DropScaledCopies();
  settings = std::move(fresh.settings);
  layers.swap(fresh.pictures.layers);
  frame = std::move(fresh.pictures.frame);
  hasLayers = true;
  hitMask.swap(fresh.hitMask);
  hitMaskWidth = fresh.hitMaskWidth;
  hitMaskHeight = fresh.hitMaskHeight;
  hasHitMask = true;
  shape = std::move(fresh.shape);
  SetPermillage(settings.startChance);
  // Copies that cannot be made leave the skin drawn as loaded.
  if (displayDpi != kBaseDpi) ChangeDisplayDpi(displayDpi, shape);
  return true;
}

bool ClockState::LoadSkinImages(const char* path, int animation) {
  SkinPictureSet fresh;
  if (!LoadSkinPictures(path, skinDirectory, animation, fresh)) return false;
  DropScaledCopies();
  layers.swap(fresh.layers);
  frame = std::move(fresh.frame);
  hasLayers = true;
  return true;
}

void ClockState::DropScaledCopies() {
  loaded_ = ScaledSkin();
  drawDpi_ = kBaseDpi;
}

bool ClockState::ChangeDisplayDpi(int dpi, WindowShape& shape) {
  displayDpi = ClampDpi(dpi);
  const bool scaled = drawDpi_ != kBaseDpi;
  // The source is the skin as loaded, wherever it is kept just now.
  const std::vector<PlanarImage>& sourceLayers = scaled ? loaded_.layers : layers;
  const std::vector<std::uint8_t>& sourceMask = scaled ? loaded_.hitMask : hitMask;
  const int sourceWidth = scaled ? loaded_.hitMaskWidth : hitMaskWidth;
  const int sourceHeight = scaled ? loaded_.hitMaskHeight : hitMaskHeight;
  const int target = hasLayers ? FittingDpi(sourceLayers, displayDpi) : kBaseDpi;

  bool ok = true;
  if (!hasLayers || target == drawDpi_) {
    ok = hasLayers;
  } else if (target == kBaseDpi) {
    // Back to the skin as loaded; the copies go.
    layers.swap(loaded_.layers);
    hitMask.swap(loaded_.hitMask);
    hitMaskWidth = loaded_.hitMaskWidth;
    hitMaskHeight = loaded_.hitMaskHeight;
    frame = layers[Body];
    DropScaledCopies();
  } else {
    ScaledSkin fresh;
    if (ScaleSkin(sourceLayers, sourceMask, sourceWidth, sourceHeight, target, fresh)) {
      if (!scaled) {
        // Keep the loaded skin as the source of every later scale.
        loaded_.layers.swap(layers);
        loaded_.hitMask.swap(hitMask);
        loaded_.hitMaskWidth = hitMaskWidth;
        loaded_.hitMaskHeight = hitMaskHeight;
      }
      layers.swap(fresh.layers);
      frame = std::move(fresh.frame);
      hitMask.swap(fresh.hitMask);
      hitMaskWidth = fresh.hitMaskWidth;
      hitMaskHeight = fresh.hitMaskHeight;
      drawDpi_ = target;
    } else {
      ok = false;
    }
  }
  shape = ShapeFromMask(hitMask, hitMaskWidth, hitMaskHeight);
  return ok;
}
