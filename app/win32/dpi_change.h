// The clock window moved to a monitor with another display scale.
#pragma once
#include <windows.h>

class ClockState;

// Draws `clock` at `dpi` (WM_DPICHANGED's LOWORD(wParam), clamped) in the
// window: the window takes the top-left corner of `suggested` and the scaled
// body's size, gets the outline at that size and shows the same moment again
// (dial animation and colour effect as they were).
void ApplyWindowDpi(ClockState& clock, HWND window, int dpi, const RECT& suggested);
