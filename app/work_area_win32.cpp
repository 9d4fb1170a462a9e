#include <windows.h>

#include "app/clock_app.h"
#include "app/work_area.h"

POINT KeepInWorkArea(int left, int top, int right, int bottom) {
  // The monitor nearest the rectangle, so a clock left on a second monitor
  // stays there; with one monitor this is the desktop work area.
  ScreenRect work;
  const RECT wanted{left, top, right, bottom};
  MONITORINFO info{};
  info.cbSize = sizeof info;
  HMONITOR monitor = MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST);
  RECT area{};
  if (monitor != nullptr && GetMonitorInfoW(monitor, &info)) {
    area = info.rcWork;
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  work = {area.left, area.top, area.right, area.bottom};
  const ScreenPoint p = KeepInWorkArea(work, {left, top, right, bottom});
  return POINT{p.x, p.y};
}
