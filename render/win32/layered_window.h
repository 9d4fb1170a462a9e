// The clock window as a layered window: the frame's per-pixel alpha shown by
// UpdateLayeredWindow, so its edge is soft at a display scale and a skin can
// be translucent. Wine draws such a window as its whole rectangle (alpha-0
// pixels black), so under Wine the window keeps its region instead.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

// Whether the clock window shows the frame's alpha: everywhere but under Wine
// (found by `wine_get_version`, which only Wine's ntdll exports).
bool ShowsSoftEdges();

// The window's opacity, 0..100 percent, as UpdateLayeredWindow's constant
// alpha (0..255, rounded).
BYTE ConstantAlpha(int opacityPercent);

// Makes `window` layered and shows `rows` on it (width x height pixels,
// bottom-up, premultiplied 0xAARRGGBB) at `opacityPercent`, from a
// 32-bit DIB section made for the call. False, the window's style as it
// was, when the platform refuses the call.
bool PresentLayered(HWND window, const std::vector<std::uint32_t>& rows, int width, int height,
                    int opacityPercent);
