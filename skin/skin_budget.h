// Bounds on what a skin may make the clock allocate. Skins come from anywhere,
// and a few bytes of run-length data can claim gigabytes of pixels: the sizes
// are read from the headers and checked before any pixel is decoded.
#pragma once
#include <cstdint>
#include <string>

#include "platform/bmp_decoder.h"

// Every picture of a skin as planes (all layers, all dial frames, the composed
// frame) together.
constexpr std::uint64_t kMaxSkinPlaneBytes = std::uint64_t{512} << 20;

// How a picture is kept: colour planes only, colour planes and an opacity
// plane, or a hand (opacity plane and a 2-pixel border on every side).
enum class PictureForm { Plain, Masked, Hand };

// Bytes of planes a width x height picture takes in the given form.
std::uint64_t PlaneBytes(int width, int height, PictureForm form);

// Adds up pictures; refuses the one that takes the total past the bound.
class SkinBudget {
 public:
  explicit SkinBudget(std::uint64_t limit = kMaxSkinPlaneBytes) : limit_(limit) {}
  // False, leaving the total as it was, when `bytes` more would cross the bound.
  bool Add(std::uint64_t bytes);
  std::uint64_t Total() const { return total_; }

 private:
  std::uint64_t limit_;
  std::uint64_t total_ = 0;
};

// The headers of a bitmap file; false when it cannot be read or its headers
// are refused (too large a side among them).
bool ProbeBmpFile(const char* path, BmpProbe& out);
// The same, and the file's size in bytes (what reading it whole takes).
bool ProbeBmpFile(const char* path, BmpProbe& out, std::uint64_t& fileBytes);

// What the header of a skin picture, BMP or PNG (told by its signature), says.
struct PictureProbe {
  int width = 0;
  int height = 0;
  // The file may carry its own alpha, which the loaded picture keeps as a plane.
  bool mayHaveAlpha = false;
  // The most its decoder holds at once (the file's bytes not counted).
  std::uint64_t decodeBytes = 0;
};

// The headers of a BMP or PNG file, and the file's size in bytes; false when it
// cannot be read or its headers are refused (too large a side among them).
bool ProbePictureFile(const char* path, PictureProbe& out, std::uint64_t& fileBytes);

// Runs before each picture file is decoded; tests make it throw std::bad_alloc
// to run a load out of memory. Null (the default) does nothing.
using PictureLoadHook = void (*)(const std::string& path);
void SetPictureLoadHook(PictureLoadHook hook);
void RunPictureLoadHook(const std::string& path);
