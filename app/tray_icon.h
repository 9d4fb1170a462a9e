// Parts of the notification-area icon that tests look at. Windows build only.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

// The tip for a code-page-932 title: as much of it as the record's tip holds
// (63 characters and the terminator), never half a character.
std::wstring TrayTip(const char* title);

// The icon's record as last handed to the shell.
const NOTIFYICONDATAW& TrayIconRecord();
