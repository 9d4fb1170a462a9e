// The work area that windows are kept inside.
#pragma once
#include <windows.h>

#include "platform/screen_rect.h"

// Where to put a window whose screen rectangle is given so that it lies inside
// the work area of the monitor nearest to it; the size is never changed.
POINT KeepInWorkArea(const RECT& window);

// The same for a width x height window at (x, y), a position read from a file.
POINT KeepInWorkArea(int x, int y, int width, int height);

// The primary desktop work area (the whole screen when it cannot be read).
ScreenRect ReadDesktopWorkArea();
