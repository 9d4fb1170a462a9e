#include "render/win32/layered_window.h"

#include <cstring>

#include "platform/win32/handles.h"

namespace {

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace

bool ShowsSoftEdges() {
  static const bool underWine = UnderWine();
  return !underWine;
}

BYTE ConstantAlpha(int opacityPercent) {
  if (opacityPercent <= 0) return 0;
  if (opacityPercent >= 100) return 255;
  return static_cast<BYTE>((opacityPercent * 255 + 50) / 100);
}

bool PresentLayered(HWND window, const std::vector<std::uint32_t>& rows, int width, int height,
                    int opacityPercent) {
  if (width <= 0 || height <= 0 || rows.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return false;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: rows stored bottom-up, as the frame's
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win32::Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return false;
  std::memcpy(bits, rows.data(), rows.size() * sizeof(std::uint32_t));
  win32::MemoryDC dc(CreateCompatibleDC(nullptr));
  if (!dc) return false;
  win32::Selection selected(dc.Get(), bitmap.Get());
  if (!selected.ok()) return false;

  const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if ((style & WS_EX_LAYERED) == 0) SetWindowLongPtrW(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
  POINT from{0, 0};
  SIZE size{width, height};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, ConstantAlpha(opacityPercent), AC_SRC_ALPHA};
  if (UpdateLayeredWindow(window, nullptr, nullptr, &size, dc.Get(), &from, 0, &blend, ULW_ALPHA)) return true;
  if ((style & WS_EX_LAYERED) == 0) SetWindowLongPtrW(window, GWL_EXSTYLE, style);
  return false;
}
