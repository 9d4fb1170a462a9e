// The popup menu, built anew each time from the current skin's settings.
// Windows build only.
#pragma once
#include <windows.h>

#include "app/win32_handles.h"

struct SkinSettings;

// Command numbers the menu sends to the clock window.
enum PopupCommand : UINT {
  kCommandAntialiasing = 5001,
  kCommandAlarm = 5002,
  kCommandWorkIntroduction = 5003,
  kCommandTopmost = 5004,
  kCommandVersionInfo = 5005,
  kCommandCalendar = 5006,
  kCommandEffectNormal = 5500,  // + the effect number, 0 to 6
  kCommandExit = 5507,
  kCommandLoadSkin = 5508,
  kCommandHelp = 5509,
  kCommandMessage = 5510,
};

// The main menu. When it has the "Special Menu" item it owns the effect
// submenu, and destroying it destroys both.
win32::Menu BuildPopupMenu(const SkinSettings& settings);
