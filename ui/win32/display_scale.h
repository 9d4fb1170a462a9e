// The dots per inch a window is drawn at, for per-monitor scaling.
#pragma once
#include <windows.h>

#include "ui/display_scale.h"

// The window's monitor dpi (GetDpiForWindow where Windows has it, else the
// screen's LOGPIXELSX), clamped by ClampDpi.
int WindowDpi(HWND window);

// A 96-dpi length in the window's pixels.
inline int ScaleForWindow(HWND window, int length) { return ScaleByDpi(length, WindowDpi(window)); }
