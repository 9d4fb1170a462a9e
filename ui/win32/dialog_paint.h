// Painting shared by every dialog: the backdrop (a gradient or the work
// introduction picture) and texts drawn with a font made for the one text.
#pragma once
#include <windows.h>

class ClockState;

void PaintIntroPicture(ClockState& clock, HWND dialog);
void PaintGradient(HWND dialog, COLORREF a, COLORREF b);
void DrawDialogText(HWND window, RECT rectangle, UINT format, int height, int weight,
                    int underline, int italic, COLORREF colour, int escapement,
                    const char* text);
