// The clock window: its class and its procedure (messages, function keys,
// commands, dropped files and the tray icon's clicks).
#pragma once
#include <windows.h>

bool RegisterClockClass(HINSTANCE instanceHandle);

// The hidden clock window, before any skin is known; null on failure.
HWND CreateClockWindow(HINSTANCE instanceHandle);

// Gives the clock window the opacity and click-through the user chose.
// Click-through holds only while the tray icon is there, its menu being the
// one way back to a window that takes no clicks.
void ApplyClockLook(HWND window);
