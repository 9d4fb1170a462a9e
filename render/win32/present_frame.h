// Puts the composed frame on the clock window through a colour effect.
#pragma once
#include <windows.h>

class ClockState;

// From WM_PAINT (inside BeginPaint/EndPaint) or at any other time (GetDC).
void PresentFrame(ClockState& clock, HWND window, int effect, bool fromPaintMessage);
