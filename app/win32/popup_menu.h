// The popup menu, built anew each time from the current skin's settings.
#pragma once
#include <windows.h>

#include "platform/win32/handles.h"
#include "resources/resource_ids.h"

struct SkinSettings;

// The main menu. When it has the "Special Menu" item it owns the effect
// submenu, and destroying it destroys both.
win32::Menu BuildPopupMenu(const SkinSettings& settings);

// Opens the menu at screen point (x, y); the chosen command arrives at
// `window` as WM_COMMAND.
void ShowPopupMenu(HWND window, int x, int y);
