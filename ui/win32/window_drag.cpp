#include "ui/win32/window_drag.h"

void DragWindow(HWND window) {
  // Where the press happened, in screen coordinates (signed on multi-monitor
  // desktops), as the caption's hit test would see it.
  SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, static_cast<LPARAM>(GetMessagePos()));
}
