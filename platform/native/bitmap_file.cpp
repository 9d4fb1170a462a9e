// Without the platform's loader: read the file and decode it ourselves.
#include <cstdint>
#include <string>

#include "platform/bitmap_file.h"
#include "platform/files.h"
#include "platform/bmp_decoder.h"
#include "platform/png_decoder.h"

namespace platform {

namespace {

// One file buffer per thread, reused from picture to picture.
std::string& FileBytes() {
  thread_local std::string bytes;
  return bytes;
}

}  // namespace

void ReleaseBitmapScratch() { std::string().swap(FileBytes()); }

bool LoadBitmapPixels(const char* path, BitmapPixels& out) {
  out.width = out.height = 0;  // the pixel buffer is kept for the decoder to reuse
  out.pixels.clear();
  out.hasAlpha = false;
  std::string& bytes = FileBytes();
  if (path == nullptr || !ReadWholeFile(path, bytes)) return false;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  if (IsPng(data, bytes.size())) return DecodePng(data, bytes.size(), out);
  return DecodeBmp(data, bytes.size(), out);
}

}  // namespace platform
