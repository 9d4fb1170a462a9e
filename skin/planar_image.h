// A picture as separate 8-bit red, green and blue planes with an optional
// opacity plane (255 opaque, 0 transparent), its size and a pivot. Pixel (x, y)
// of a plane is byte y * width + x, the top row first.
#pragma once
#include <cstdint>
#include "skin/plane_allocator.h"
#include "skin/plane_split.h"  // MaskValue

class PlanarImage {
 public:
  PlanarImage() = default;
  virtual ~PlanarImage();
  PlanarImage(PlanarImage&&) noexcept = default;
  PlanarImage& operator=(PlanarImage&&) noexcept = default;
  PlanarImage(const PlanarImage&) = default;
  PlanarImage& operator=(const PlanarImage&) = default;

  void Clear();

  // Loaders: paths are absolute (skin directory + value); none shows a message.
  bool LoadPicture(int pivotX, int pivotY, const char* path);
  bool LoadPictureWithMask(int pivotX, int pivotY, const char* path, const char* maskPath);
  bool LoadHand(int axisX, int axisY, const char* path);
  bool LoadHandWithMask(int axisX, int axisY, const char* path, const char* maskPath);

  bool hasPlanes = false;
  bool hasMask = false;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t pivotX = 0;
  std::int32_t pivotY = 0;
  Plane red;
  Plane green;
  Plane blue;
  Plane mask;
};

// Gives back the decoded pixels the loaders keep from picture to picture:
// once a skin is loaded they are only memory held for nothing.
void ReleasePictureScratch();

// access(path, 0) and then access(path, 4).
bool FileIsReadable(const char* path);
