// The platform's own bitmap loader: LoadImage into a bitmap of the display's
// format, then BitBlt into a 32-bit DIB section that we can read.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "platform/bitmap_file.h"
#include "platform/files.h"
#include "platform/text.h"
#include "skin/bmp_decoder.h"

namespace platform {
namespace {

// Move-only owners: a copy would delete the handle twice.
class GdiObject {
 public:
  explicit GdiObject(HGDIOBJ handle) : handle_(handle) {}
  ~GdiObject() {
    if (handle_) DeleteObject(handle_);
  }
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&&) = delete;
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  HGDIOBJ get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HGDIOBJ handle_;
};

class MemoryDc {
 public:
  MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// Puts the previous object back into the DC when it goes out of scope; declare
// it after the DC so that it is undone before the DC is deleted.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  bool ok() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Copies the loaded bitmap into a 32-bit bottom-up DIB section and hands its
// rows out top row first.
bool Transfer(HGDIOBJ bitmap, int width, int height, BitmapPixels& out) {
  MemoryDc target;
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
  GdiObject section(CreateDIBSection(target.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!section || bits == nullptr) return false;
  {
    Selection intoTarget(target.get(), section.get());
    MemoryDc source;
    if (!intoTarget.ok() || !source) return false;
    Selection intoSource(source.get(), bitmap);
    if (!intoSource.ok()) return false;
    if (!BitBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY)) return false;
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
  BitmapPixels checked;
  if (!ReadWholeFile(path, bytes) ||
      !DecodeBmp(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), checked)) {
    return false;
  }
  const std::wstring widePath = WideFromCp932(path);
  GdiObject bitmap(LoadImageW(nullptr, widePath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (!bitmap) return false;
  BITMAP header;
  if (GetObjectW(bitmap.get(), sizeof header, &header) == 0) return false;
  if (header.bmWidth <= 0 || header.bmHeight <= 0) return false;
  BitmapPixels result;
  if (!Transfer(bitmap.get(), header.bmWidth, header.bmHeight, result)) return false;
  out = std::move(result);
  return true;
}

}  // namespace platform
