// The clock window's outline as a region.
#pragma once
#include <windows.h>

#include "skin/window_shape.h"

// Gives the window the outline of `shape`. False when no region could be made
// (or the shape is invalid): the window then has its full rectangle.
bool SetWindowShape(HWND window, const WindowShape& shape);

// Tests: every region is refused, as a platform short of memory would.
void RefuseRegionsForTesting(bool refuse);
