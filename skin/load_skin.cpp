// The whole skin load short of the platform region: settings, pictures, shape.
#include <cstddef>
#include <new>
#include <utility>

#include "platform/bitmap_file.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "skin/clock_state.h"
#include "skin/skin_budget.h"
#include "skin/skin_text.h"

namespace {
constexpr std::size_t kPictureBuffer = 260;
}  // namespace

bool ClockState::LoadSkinData(WindowShape& shape) {
  shape = WindowShape();
  const char* path = skinPath.c_str();

  // Settings, pictures and shape all go into scratch and are committed
  // together, so a skin that fails half-way leaves the running clock as it was
  // (the dial frame count never exceeds the table composition draws from).
  SkinSettings fresh;
  std::vector<PlanarImage> table;
  PlanarImage body;
  WindowShape newShape;
  std::vector<std::uint8_t> mask;
  int maskWidth = 0;
  int maskHeight = 0;
  try {
    if (!ReadSkinSettings(path, fresh)) return false;
  } catch (const std::bad_alloc&) {
    return false;  // the settings text itself could not be held: nothing to name
  }
  if (!ReadSkinPictures(path, fresh.animation, table, body)) return false;

  try {
    const std::string transparent =
        platform::ReadProfileString("Initialize", "TransparentColor", "def", path, kPictureBuffer);
    const std::string graph = platform::ReadProfileString("Body", "Graph", "<<<", path, kPictureBuffer);
    // A body key gone between the picture load and here is the one silent failure.
    if (skin::EqualsIgnoringCase(graph, "<<<")) return false;

    platform::BitmapPixels pixels;
    bool shaped = false;
    const std::string bodyFile = skin::SkinFilePath(skinDirectory, graph);
    RunPictureLoadHook(bodyFile);
    if (platform::LoadBitmapPixels(bodyFile.c_str(), pixels)) {
      if (transparent == "non") {  // exactly "non": NON and Non read as the number 0 below
        shaped = ShapeFromRectangle(pixels, newShape, mask);
      } else {
        const std::uint32_t key = platform::ReadProfileInt("Initialize", "TransparentColor",
                                                           static_cast<int>(kNoColourKey), path);
        shaped = ShapeFromColourKey(pixels, key, newShape, mask);
      }
    }
    if (shaped) {
      maskWidth = newShape.width;
      maskHeight = newShape.height;
    } else {
      // The body could not be read again: the window becomes its full rectangle,
      // and hitMask follows the new body so nobody reads it past its end.
      newShape = WindowShape();
      mask.assign(static_cast<std::size_t>(body.width) * body.height, 1);
      maskWidth = body.width;
      maskHeight = body.height;
    }
  } catch (const std::bad_alloc&) {
    platform::ShowMessage(nullptr, "Body用CGの読み込みに失敗しました", "ほらるね",
                          platform::MessageKind::Error);
    return false;
  }

  // Nothing below allocates: swaps and moves only.
  std::swap(settings, fresh);
  SetPermillage(settings.startChance);
  layers.swap(table);
  frame = std::move(body);
  hasLayers = true;
  hitMask.swap(mask);
  hitMaskWidth = maskWidth;
  hitMaskHeight = maskHeight;
  hasHitMask = true;
  shape = std::move(newShape);
  return true;
}

void SkinPictures::MarkWholeBodyInside() {
  const PlanarImage& body = layers.empty() ? frame : layers[Body];
  hitMask.assign(static_cast<std::size_t>(body.width) * body.height, 1);
  hitMaskWidth = body.width;
  hitMaskHeight = body.height;
  hasHitMask = true;
}
