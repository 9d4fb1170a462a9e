#include "ui/work_area.h"

ScreenPoint KeepInWorkArea(const ScreenRect& workArea, const ScreenRect& window) {
  const int w = window.right - window.left;
  const int h = window.bottom - window.top;
  if (workArea.right - workArea.left < w || workArea.bottom - workArea.top < h) {
    return {workArea.left, workArea.top};
  }
  ScreenPoint p{window.left, window.top};
  if (workArea.right < window.right) p.x = workArea.right - w;
  if (workArea.left > window.left) p.x = workArea.left;
  if (workArea.bottom < window.bottom) p.y = workArea.bottom - h;
  if (workArea.top > window.top) p.y = workArea.top;
  return p;
}

ScreenPoint InitialWindowPosition(const ScreenRect& workArea) {
  // Division truncates toward zero, as the halves must.
  return {(workArea.right - workArea.left) / 2 - 100, (workArea.bottom - workArea.top) / 2 - 100};
}
