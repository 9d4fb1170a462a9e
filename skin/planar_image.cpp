#include "skin/planar_image.h"

#include <cstddef>
#include <cstring>
#include <initializer_list>

#include "platform/bitmap_file.h"
#include "platform/files.h"
#include "skin/display_scale.h"
#include "skin/skin_budget.h"

namespace {

// Sizes the three colour planes (and the mask when asked). Their bytes are
// not cleared: every caller writes each of them.
void SizePlanes(PlanarImage& image, int width, int height, bool withMask) {
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  image.red.resize(count);
  image.green.resize(count);
  image.blue.resize(count);
  if (withMask) image.mask.resize(count);
  image.width = width;
  image.height = height;
  image.hasPlanes = true;
  image.hasMask = withMask;
}

// Zeroes the 2-pixel border of a width x height plane, the part of a hand no file fills.
void ClearBorder(Plane& plane, int width, int height) {
  const std::size_t w = static_cast<std::size_t>(width);
  std::uint8_t* p = plane.data();
  std::memset(p, 0, 2 * w);
  for (int y = 2; y < height - 2; ++y) {
    std::uint8_t* row = p + static_cast<std::size_t>(y) * w;
    std::memset(row, 0, 2);
    std::memset(row + w - 2, 0, 2);
  }
  std::memset(p + static_cast<std::size_t>(height - 2) * w, 0, 2 * w);
}

// One decoded picture per thread, reused from picture to picture: loading a
// large skin would otherwise take fresh memory for each one.
platform::BitmapPixels& ScratchPixels() {
  thread_local platform::BitmapPixels pixels;
  return pixels;
}

bool LoadPixels(const char* path, platform::BitmapPixels& pixels) {
  RunPictureLoadHook(path);
  if (!platform::LoadBitmapPixels(path, pixels)) return false;
  const std::size_t count =
      static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.height);
  // A decoder that hands back fewer pixels than it claims must not make us read past them.
  return pixels.width > 0 && pixels.height > 0 && pixels.pixels.size() >= count;
}

// The picture's own alpha (bits 24..31) as opacity bytes.
void AlphaValues(const std::uint32_t* pixels, std::uint8_t* mask, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) mask[i] = static_cast<std::uint8_t>(pixels[i] >> 24);
}

}  // namespace

PlanarImage::~PlanarImage() { Clear(); }

void ReleasePictureScratch() { platform::BitmapPixels().pixels.swap(ScratchPixels().pixels); }

void PlanarImage::Clear() {
  // Give the memory back, not just the size: a cleared layer may live for the whole run.
  Plane().swap(red);
  Plane().swap(green);
  Plane().swap(blue);
  Plane().swap(mask);
  hasPlanes = false;
  hasMask = false;
  width = 0;
  height = 0;
  pivotX = 0;
  pivotY = 0;
}

bool PlanarImage::LoadPicture(int pivotXValue, int pivotYValue, const char* path) {
  Clear();
  if (!FileIsReadable(path)) return false;
  platform::BitmapPixels& pixels = ScratchPixels();
  if (!LoadPixels(path, pixels)) return false;
  // A picture with its own alpha is masked by it; a mask file loaded after
  // this replaces it.
  SizePlanes(*this, pixels.width, pixels.height, pixels.hasAlpha);
  pivotX = ClampSkinCoordinate(pivotXValue);
  pivotY = ClampSkinCoordinate(pivotYValue);
  SplitPixels(pixels.pixels.data(), red.data(), green.data(), blue.data(), red.size());
  if (pixels.hasAlpha) AlphaValues(pixels.pixels.data(), mask.data(), mask.size());
  return true;
}

bool PlanarImage::LoadPictureWithMask(int pivotXValue, int pivotYValue, const char* path,
                                      const char* maskPath) {
  // The mask file is tested first: a missing mask leaves the image as it was.
  if (!FileIsReadable(maskPath)) return false;
  LoadPicture(pivotXValue, pivotYValue, path);  // a failure leaves it empty; the size test fails
  platform::BitmapPixels& pixels = ScratchPixels();
  if (!LoadPixels(maskPath, pixels)) return false;
  if (pixels.width != width || pixels.height != height) {
    Clear();
    return false;
  }
  mask.resize(red.size());
  MaskValues(pixels.pixels.data(), mask.data(), mask.size());
  hasMask = true;
  return true;
}

bool PlanarImage::LoadHand(int axisX, int axisY, const char* path) {
  Clear();
  if (!FileIsReadable(path)) return false;
  platform::BitmapPixels& pixels = ScratchPixels();
  if (!LoadPixels(path, pixels)) return false;
  // A 2-pixel transparent border on every side keeps the bilinear samples of the
  // turned hand inside the planes.
  const int w = pixels.width;
  const int h = pixels.height;
  SizePlanes(*this, w + 4, h + 4, true);
  for (Plane* plane : {&red, &green, &blue, &mask}) ClearBorder(*plane, width, height);
  pivotX = ClampSkinCoordinate(axisX) + 2;
  pivotY = ClampSkinCoordinate(axisY) + 2;
  for (int y = 0; y < h; ++y) {
    const std::size_t at = static_cast<std::size_t>(y + 2) * width + 2;
    SplitPixels(pixels.pixels.data() + static_cast<std::size_t>(y) * w, red.data() + at, green.data() + at,
                blue.data() + at, static_cast<std::size_t>(w));
    if (pixels.hasAlpha) {
      AlphaValues(pixels.pixels.data() + static_cast<std::size_t>(y) * w, mask.data() + at,
                  static_cast<std::size_t>(w));
    } else {
      std::memset(mask.data() + at, 255, static_cast<std::size_t>(w));
    }
  }
  return true;
}

bool PlanarImage::LoadHandWithMask(int axisX, int axisY, const char* path,
                                   const char* maskPath) {
  if (!FileIsReadable(maskPath)) return false;
  LoadHand(axisX, axisY, path);  // a failure leaves it empty; the size test fails
  platform::BitmapPixels& pixels = ScratchPixels();
  if (!LoadPixels(maskPath, pixels)) return false;
  if (width != pixels.width + 4 || height != pixels.height + 4) {
    Clear();
    return false;
  }
  for (int y = 0; y < pixels.height; ++y) {
    MaskValues(pixels.pixels.data() + static_cast<std::size_t>(y) * pixels.width,
               mask.data() + static_cast<std::size_t>(y + 2) * width + 2, static_cast<std::size_t>(pixels.width));
  }
  hasMask = true;
  return true;
}

bool FileIsReadable(const char* path) {
  return platform::FileExists(path) && platform::FileReadable(path);
}
