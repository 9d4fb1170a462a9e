#include "ui/win32/display_scale.h"

#include "platform/win32/handles.h"

namespace {

// Looked up at run time: Windows before 10 version 1607 has no GetDpiForWindow.
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

GetDpiForWindowFunction FindGetDpiForWindow() {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  return reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
}

}  // namespace

int WindowDpi(HWND window) {
  static const GetDpiForWindowFunction getDpiForWindow = FindGetDpiForWindow();
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return ClampDpi(static_cast<int>(dpi));
  }
  const win32::WindowDC screen(nullptr);
  return ClampDpi(screen ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : kBaseDpi);
}
