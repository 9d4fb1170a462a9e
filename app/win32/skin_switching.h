// Putting a skin on the clock window: sizing the window to the skin's body,
// loading the skin with the window's outline, switching skins while the clock
// runs, and writing the display options back into the skin file.
#pragma once
#include <windows.h>

#include <string>

// Sizes the window to the body picture of the skin at `skinPath`, scaled to
// the window's monitor; false when that picture cannot be read.
bool FitWindowToBody(HWND window, const std::string& skinPath);

class ClockState;

// clock.LoadSkinData at the window's monitor dpi, then the window's outline
// from the loaded shape.
bool LoadSkin(ClockState& clock, HWND window);

// Switches to the skin at `newPath`; a skin that fails leaves the clock exactly
// as it was. Always 0, the answer to the message that asked for it.
int ApplySkin(HWND window, const std::string& newPath);

// Writes the display options into the running skin's file.
bool SaveDisplayOptions(HWND window);

// Timer 1 with the running skin's Interval; the z-order from its Topmost flag.
void StartClockTimer(HWND window);
void ApplyTopmost(HWND window);
