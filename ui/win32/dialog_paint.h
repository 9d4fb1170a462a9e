// Painting shared by every dialog: the backdrop (a gradient or the work
// introduction picture) and texts drawn with a font made for the one text.
// Painted layouts are written in 96-dpi pixels ("layout" pixels); everything
// here draws them at the dialog's own dpi (WindowDpi), read at every paint,
// scaled as the dialog's controls are (ui/win32/dialog_units.h), so a label
// stays beside its control at every display scale.
#pragma once
#include <windows.h>

class ClockState;

void PaintIntroPicture(ClockState& clock, HWND dialog);
void PaintGradient(HWND dialog, COLORREF a, COLORREF b);
// `rectangle` (client coordinates) and `height` are in layout pixels.
void DrawDialogText(HWND window, RECT rectangle, UINT format, int height, int weight,
                    int underline, int italic, COLORREF colour, int escapement,
                    const char* text);

// The client rectangle in layout pixels.
RECT LayoutClient(HWND dialog);
// A mouse message's position in layout pixels.
POINT LayoutPoint(HWND dialog, LPARAM position);
// A layout rectangle in the dialog's pixels (for InvalidateRect).
RECT WindowRect(HWND dialog, const RECT& layout);
// On WM_DPICHANGED: Windows rescales the controls; the painted backdrop and
// texts are drawn anew at the new dpi.
void RepaintAtNewDpi(HWND dialog);
