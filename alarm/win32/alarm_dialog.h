// The alarm editing dialog.
#pragma once
#include <windows.h>

// Shows the editor over `owner` until "ok" or "cancel".
void ShowAlarmDialog(HWND owner);
