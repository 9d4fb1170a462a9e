// Screen rectangles and points as plain integers, for the placement arithmetic
// that the core does for the shell. Multi-monitor coordinates are signed.
#pragma once

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct ScreenPoint {
  int x = 0;
  int y = 0;
};
