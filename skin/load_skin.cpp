// The whole skin load short of the platform region: settings, pictures, shape.
#include <cstddef>

#include "platform/bitmap_file.h"
#include "platform/profile.h"
#include "skin/clock_state.h"
#include "skin/skin_text.h"

namespace {
constexpr std::size_t kPictureBuffer = 260;
}  // namespace

bool ClockState::LoadSkinData(WindowShape& shape) {
  shape = WindowShape();
  const char* path = skinPath.c_str();

  // Settings go into a scratch copy and are committed together with the
  // pictures, so a skin that fails half-way leaves the running clock as it was
  // (the dial frame count never exceeds the table composition draws from).
  SkinSettings fresh;
  if (!ReadSkinSettings(path, fresh)) return false;
  if (!LoadSkinImages(path, fresh.animation)) return false;
  settings = fresh;
  SetPermillage(settings.startChance);

  const std::string transparent =
      platform::ReadProfileString("Initialize", "TransparentColor", "def", path, kPictureBuffer);
  const std::string graph = platform::ReadProfileString("Body", "Graph", "<<<", path, kPictureBuffer);

  platform::BitmapPixels body;
  bool shaped = false;
  if (!skin::EqualsIgnoringCase(graph, "<<<") &&
      platform::LoadBitmapPixels(skin::SkinFilePath(skinDirectory, graph).c_str(), body)) {
    if (transparent == "non") {  // exactly "non": NON and Non read as the number 0 below
      shaped = ShapeFromRectangle(body, shape, hitMask);
    } else {
      const std::uint32_t key =
          platform::ReadProfileInt("Initialize", "TransparentColor", static_cast<int>(kNoColourKey), path);
      shaped = ShapeFromColourKey(body, key, shape, hitMask);
    }
  }
  if (shaped) {
    hitMaskWidth = shape.width;
    hitMaskHeight = shape.height;
  } else {
    // The body could not be read again: the window becomes its full rectangle,
    // and hitMask follows the new body so nobody reads it past its end.
    shape = WindowShape();
    const PlanarImage& picture = layers[Body];
    hitMask.assign(static_cast<std::size_t>(picture.width) * picture.height, 1);
    hitMaskWidth = picture.width;
    hitMaskHeight = picture.height;
  }
  hasHitMask = true;
  // A body key gone between the picture load and here is the one silent failure.
  return !skin::EqualsIgnoringCase(graph, "<<<");
}
