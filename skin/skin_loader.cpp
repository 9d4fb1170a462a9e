// The whole skin load short of the platform region: settings, pictures, shape.
#include "skin/skin_loader.h"

#include <cstddef>
#include <new>

#include "platform/ascii.h"
#include "platform/bitmap_file.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "skin/alpha_outline.h"
#include "skin/layer_table.h"
#include "skin/skin_budget.h"
#include "skin/skin_text.h"

namespace {

constexpr std::size_t kPictureBuffer = 260;

bool LoadOutline(const char* path, const std::string& skinDirectory, SkinContent& out);

}  // namespace

bool LoadSkinContent(const std::string& skinPath, const std::string& skinDirectory,
                     SkinContent& out) {
  const char* path = skinPath.c_str();
  try {
    if (!ReadSkinSettings(path, out.settings)) return false;
  } catch (const std::bad_alloc&) {
    return false;  // the settings text itself could not be held: nothing to name
  }
  // What the decoders keep from picture to picture goes once the skin is in.
  struct ScratchRelease {
    ~ScratchRelease() {
      ReleasePictureScratch();
      platform::ReleaseBitmapScratch();
    }
  } release;
  if (!LoadSkinPictures(path, skinDirectory, out.settings.animation, out.pictures)) return false;
  try {
    return LoadOutline(path, skinDirectory, out);
  } catch (const std::bad_alloc&) {
    platform::ShowMessage(nullptr, "Body用CGの読み込みに失敗しました", platform::kCaption,
                          platform::MessageKind::Error);
    return false;
  }
}

namespace {

bool LoadOutline(const char* path, const std::string& skinDirectory, SkinContent& out) {
  const std::string transparent =
      platform::ReadProfileString("Initialize", "TransparentColor", "def", path, kPictureBuffer);
  const std::string graph = platform::ReadProfileString("Body", "Graph", "<<<", path, kPictureBuffer);
  // A body key gone between the picture load and here is the one silent failure.
  if (ascii::EqualsIgnoringCase(graph, "<<<")) return false;

  platform::BitmapPixels body;
  bool shaped = false;
  const std::string bodyFile = skin::SkinFilePath(skinDirectory, graph);
  RunPictureLoadHook(bodyFile);
  if (platform::LoadBitmapPixels(bodyFile.c_str(), body)) {
    if (body.hasAlpha) {
      // A body with its own alpha is cut by it alone: the colour key (the
      // top-left pixel's colour by default) would cut holes in what was drawn.
      shaped = ShapeFromAlpha(body, out.shape, out.hitMask);
    } else if (transparent == "non") {  // exactly "non": NON and Non read as the number 0 below
      shaped = ShapeFromRectangle(body, out.shape, out.hitMask);
    } else {
      const std::uint32_t key = platform::ReadProfileInt("Initialize", "TransparentColor",
                                                         static_cast<int>(kNoColourKey), path);
      shaped = ShapeFromColourKey(body, key, out.shape, out.hitMask);
    }
  }
  if (shaped) {
    out.hitMaskWidth = out.shape.width;
    out.hitMaskHeight = out.shape.height;
  } else {
    // The body could not be read again: the window becomes its full rectangle,
    // and hitMask follows the new body so nobody reads it past its end.
    out.shape = WindowShape();
    const PlanarImage& picture = out.pictures.layers[Body];
    out.hitMask.assign(static_cast<std::size_t>(picture.width) * picture.height, 1);
    out.hitMaskWidth = picture.width;
    out.hitMaskHeight = picture.height;
  }
  return true;
}

}  // namespace
