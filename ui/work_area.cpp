#include "ui/work_area.h"

#include <algorithm>
#include <climits>
#include <cstdint>

ScreenPoint KeepInWorkArea(const ScreenRect& workArea, const ScreenRect& window) {
  // Sizes in 64 bits: a rectangle may span more than an int holds.
  const std::int64_t w = std::int64_t{window.right} - window.left;
  const std::int64_t h = std::int64_t{window.bottom} - window.top;
  if (std::int64_t{workArea.right} - workArea.left < w || std::int64_t{workArea.bottom} - workArea.top < h) {
    return {workArea.left, workArea.top};
  }
  // Both results lie inside the work area, so they fit an int.
  ScreenPoint p{window.left, window.top};
  if (workArea.right < window.right) p.x = static_cast<int>(workArea.right - w);
  if (workArea.left > window.left) p.x = workArea.left;
  if (workArea.bottom < window.bottom) p.y = static_cast<int>(workArea.bottom - h);
  if (workArea.top > window.top) p.y = workArea.top;
  return p;
}

ScreenRect WindowRectAt(int x, int y, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  x = std::min(x, INT_MAX - width);
  y = std::min(y, INT_MAX - height);
  return {x, y, x + width, y + height};
}

ScreenPoint InitialWindowPosition(const ScreenRect& workArea) {
  // Division truncates toward zero, as the halves must.
  return {(workArea.right - workArea.left) / 2 - 100, (workArea.bottom - workArea.top) / 2 - 100};
}
