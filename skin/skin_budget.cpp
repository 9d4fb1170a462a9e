#include "skin/skin_budget.h"

#include <cstdint>
#include <string>

#include "platform/files.h"
#include "platform/png_decoder.h"

namespace {
PictureLoadHook pictureLoadHook = nullptr;
}  // namespace

std::uint64_t PlaneBytes(int width, int height, PictureForm form) {
  if (width <= 0 || height <= 0) return 0;
  std::uint64_t w = static_cast<std::uint64_t>(width);
  std::uint64_t h = static_cast<std::uint64_t>(height);
  if (form == PictureForm::Hand) {
    w += 4;
    h += 4;
  }
  return w * h * (form == PictureForm::Plain ? 3 : 4);
}

bool SkinBudget::Add(std::uint64_t bytes) {
  // Both are below 2^40 in practice; the test is written so that it cannot wrap.
  if (bytes > limit_ || total_ > limit_ - bytes) return false;
  total_ += bytes;
  return true;
}

bool ProbeBmpFile(const char* path, BmpProbe& out, std::uint64_t& fileBytes) {
  out = BmpProbe();
  fileBytes = 0;
  std::string bytes;
  if (path == nullptr || !platform::ReadWholeFile(path, bytes)) return false;
  fileBytes = bytes.size();
  return ProbeBmp(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), out);
}

bool ProbeBmpFile(const char* path, BmpProbe& out) {
  std::uint64_t fileBytes = 0;
  return ProbeBmpFile(path, out, fileBytes);
}

bool ProbePictureFile(const char* path, PictureProbe& out, std::uint64_t& fileBytes) {
  out = PictureProbe();
  fileBytes = 0;
  std::string bytes;
  if (path == nullptr || !platform::ReadWholeFile(path, bytes)) return false;
  fileBytes = bytes.size();
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  if (IsPng(data, bytes.size())) {
    PngProbe png;
    if (!ProbePng(data, bytes.size(), png)) return false;
    out.width = png.width;
    out.height = png.height;
    out.mayHaveAlpha = png.mayHaveAlpha;
    out.decodeBytes = png.decodeBytes;
    return true;
  }
  BmpProbe bmp;
  if (!ProbeBmp(data, bytes.size(), bmp)) return false;
  out.width = bmp.width;
  out.height = bmp.height;
  out.mayHaveAlpha = bmp.alphaMask;
  out.decodeBytes = bmp.decodeBytes;
  return true;
}

void SetPictureLoadHook(PictureLoadHook hook) { pictureLoadHook = hook; }

void RunPictureLoadHook(const std::string& path) {
  if (pictureLoadHook) pictureLoadHook(path);
}
