#include "render/clock_state.h"

#include <utility>

#include "platform/files.h"
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
  return true;
}

bool ClockState::LoadSkinImages(const char* path, int animation) {
  SkinPictureSet fresh;
  if (!LoadSkinPictures(path, skinDirectory, animation, fresh)) return false;
  layers.swap(fresh.layers);
  frame = std::move(fresh.frame);
  hasLayers = true;
  return true;
}
