// The popup menu, built anew each time from the current skin's settings.
#pragma once
#include <windows.h>

#include "app/window_look.h"
#include "platform/win32/handles.h"
#include "resources/resource_ids.h"

struct SkinSettings;

// The main menu. It owns its submenus (opacity, and the effects when it has
// the "Special Menu" item); destroying it destroys them all.
win32::Menu BuildPopupMenu(const SkinSettings& settings, const WindowLook& look = WindowLook{});

// Opens the menu at screen point (x, y); the chosen command arrives at
// `window` as WM_COMMAND.
void ShowPopupMenu(HWND window, int x, int y);
