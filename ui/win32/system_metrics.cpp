#include "ui/win32/system_metrics.h"

#include "ui/win32/display_scale.h"

namespace {

using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

GetSystemMetricsForDpiFunction FindGetSystemMetricsForDpi() {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  return reinterpret_cast<GetSystemMetricsForDpiFunction>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetSystemMetricsForDpi")));
}

}  // namespace

int MetricForWindow(HWND window, int index) {
  static const GetSystemMetricsForDpiFunction forDpi = FindGetSystemMetricsForDpi();
  if (forDpi == nullptr) return GetSystemMetrics(index);
  return forDpi(index, static_cast<UINT>(WindowDpi(window)));
}
