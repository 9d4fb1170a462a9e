// The work introduction (F2) and version (F11) dialogs. Both paint
// themselves, close only through their "close" button and drag from anywhere.
#pragma once
#include <windows.h>

void ShowWorkIntroDialog(HWND owner);
void ShowVersionDialog(HWND owner);
