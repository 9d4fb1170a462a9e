// The clock window's opacity and click-through as extended window styles.
#pragma once
#include <windows.h>

#include "app/window_look.h"

// Whether the clock's frame reaches the screen through UpdateLayeredWindow,
// which then carries the opacity in its own blend. A window takes its alpha
// either from that call or from SetLayeredWindowAttributes, never both.
bool FrameCarriesOpacity();

// Gives `window` WS_EX_LAYERED when it is see-through or click-through (or its
// frame is presented layered), WS_EX_TRANSPARENT when click-through, and the
// opacity as its layered alpha. At 100 % without click-through the window is
// the plain window it always was.
void ApplyWindowLook(HWND window, const WindowLook& look);

// The alpha SetLayeredWindowAttributes is given for an opacity in percent.
BYTE OpacityAlpha(int percent);
