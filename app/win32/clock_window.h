// The clock window: its class and its procedure (messages, function keys,
// commands, dropped files and the tray icon's clicks).
#pragma once
#include <windows.h>

bool RegisterClockClass(HINSTANCE instanceHandle);

// The hidden clock window, before any skin is known; null on failure.
HWND CreateClockWindow(HINSTANCE instanceHandle);
