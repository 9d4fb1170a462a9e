// Without the platform's loader: read the file and decode it ourselves.
#include <cstdint>
#include <string>

#include "platform/bitmap_file.h"
#include "platform/files.h"
#include "platform/bmp_decoder.h"

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
  std::string& bytes = FileBytes();
  if (path == nullptr || !ReadWholeFile(path, bytes)) return false;
  return DecodeBmp(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), out);
}

}  // namespace platform
