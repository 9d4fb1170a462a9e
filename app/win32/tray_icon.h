// The notification-area icon and bringing the clock to the foreground.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

// Private message of the notification-area icon to the clock window.
constexpr UINT kTrayNotifyMessage = 0x8064;  // WM_TRAYNOTIFY

// Adds the icon with the last tip it had (the program's name at first), so an
// icon added again after Explorer restarts still shows the skin's title.
bool AddTrayIcon(HWND window);
bool UpdateTrayTip(const char* title);  // code page 932
bool DeleteTrayIcon();
// The shell took the icon and it has not been deleted since: its menu is the
// way back from click-through.
bool TrayIconShown();
// Explorer announces a restart with this registered message.
UINT TaskbarCreatedMessage();
void ForceForeground(HWND window);

// The tip for a code-page-932 title: as much of it as the record's tip holds
// (63 characters and the terminator), never half a character.
std::wstring TrayTip(const char* title);

// The icon's record as last handed to the shell.
const NOTIFYICONDATAW& TrayIconRecord();
