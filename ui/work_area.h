// Placement arithmetic of the clock window: where it is created and how a window
// rectangle is kept inside a work area. Plain integers, no platform calls.
#pragma once

#include "platform/screen_rect.h"

// The top-left corner that puts `window` inside `workArea` without changing its
// size. A window larger than the work area goes to the work area's top-left.
ScreenPoint KeepInWorkArea(const ScreenRect& workArea, const ScreenRect& window);

// The rectangle of a width x height window whose top-left corner is (x, y),
// the corner first moved just far enough that no edge passes the range of an
// int: a position from a settings file can be anything.
ScreenRect WindowRectAt(int x, int y, int width, int height);

// Where the hidden clock window is created before a skin is known: the middle
// of the work area's size, less 100 (the work area's origin is not added).
ScreenPoint InitialWindowPosition(const ScreenRect& workArea);
