#include "ui/win32/work_area.h"

#include "ui/work_area.h"

POINT KeepInWorkArea(const RECT& window) {
  // The monitor nearest the rectangle, so a clock left on a second monitor
  // stays there; with one monitor this is the desktop work area.
  MONITORINFO info{};
  info.cbSize = sizeof info;
  HMONITOR monitor = MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST);
  ScreenRect work;
  if (monitor != nullptr && GetMonitorInfoW(monitor, &info)) {
    work = {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
  } else {
    work = ReadDesktopWorkArea();
  }
  const ScreenPoint p =
      KeepInWorkArea(work, {window.left, window.top, window.right, window.bottom});
  return POINT{p.x, p.y};
}

POINT KeepInWorkArea(int x, int y, int width, int height) {
  const ScreenRect r = WindowRectAt(x, y, width, height);
  return KeepInWorkArea(RECT{r.left, r.top, r.right, r.bottom});
}

ScreenRect ReadDesktopWorkArea() {
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
    area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return ScreenRect{area.left, area.top, area.right, area.bottom};
}
