// Windows without a caption move when dragged anywhere.
#pragma once
#include <windows.h>

// Call on WM_LBUTTONDOWN: the press acts as a press on a caption, so the window
// follows the mouse until the button is released.
void DragWindow(HWND window);
