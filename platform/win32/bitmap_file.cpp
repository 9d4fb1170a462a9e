// The platform's own bitmap loader: LoadImage into a bitmap of the display's
// format, then BitBlt into a 32-bit DIB section that we can read.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/bitmap_file.h"
#include "platform/files.h"
#include "platform/bmp_decoder.h"
#include "platform/png_decoder.h"
#include "platform/text.h"
#include "platform/win32/handles.h"

namespace platform {
namespace {

// Copies the loaded bitmap into a 32-bit bottom-up DIB section and hands its
// rows out top row first.
bool Transfer(HBITMAP bitmap, int width, int height, BitmapPixels& out) {
  win32::MemoryDC target(CreateCompatibleDC(nullptr));
  if (!target) return false;
  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win32::Bitmap section(CreateDIBSection(target.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!section || bits == nullptr) return false;
  {
    win32::Selection intoTarget(target.Get(), section.Get());
    win32::MemoryDC source(CreateCompatibleDC(nullptr));
    if (!intoTarget.ok() || !source) return false;
    win32::Selection intoSource(source.Get(), bitmap);
    if (!intoSource.ok()) return false;
    if (!BitBlt(target.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY)) return false;
  }
  GdiFlush();

  const std::size_t w = static_cast<std::size_t>(width);
  const std::size_t h = static_cast<std::size_t>(height);
  const auto* rows = static_cast<const std::uint32_t*>(bits);
  out.width = width;
  out.height = height;
  out.pixels.resize(w * h);
  for (std::size_t y = 0; y < h; ++y) {
    std::memcpy(out.pixels.data() + y * w, rows + (h - 1 - y) * w, w * sizeof(std::uint32_t));
  }
  return true;
}

}  // namespace

bool LoadBitmapPixels(const char* path, BitmapPixels& out) {
  out = BitmapPixels();
  if (path == nullptr) return false;
  // LoadImage takes files cut short (a half-downloaded skin) and fills the
  // missing rows with garbage; refuse whatever our own decoder refuses.
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return false;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  // PNG has no loader of its own here: the same decoder as everywhere.
  if (IsPng(data, bytes.size())) return DecodePng(data, bytes.size(), out);
  BitmapPixels checked;
  if (!DecodeBmp(data, bytes.size(), checked)) return false;
  const std::wstring widePath = WideFromUtf8(path);
  win32::Bitmap bitmap(static_cast<HBITMAP>(
      LoadImageW(nullptr, widePath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  if (!bitmap) return false;
  BITMAP header;
  if (GetObjectW(bitmap.Get(), sizeof header, &header) == 0) return false;
  if (header.bmWidth <= 0 || header.bmHeight <= 0) return false;
  BitmapPixels result;
  if (!Transfer(bitmap.Get(), header.bmWidth, header.bmHeight, result)) return false;
  // The loader's bitmap has the display's format, without alpha: the file's
  // alpha, where it has one, comes from our decoder.
  if (checked.hasAlpha && result.width == checked.width && result.height == checked.height) {
    for (std::size_t i = 0; i < result.pixels.size(); ++i)
      result.pixels[i] = (result.pixels[i] & 0xFFFFFFu) | (checked.pixels[i] & 0xFF000000u);
    result.hasAlpha = true;
  }
  out = std::move(result);
  return true;
}

void ReleaseBitmapScratch() {}  // nothing is kept between files

}  // namespace platform
