// Help (F1; closed at exit) and the skin's document (F3). The old help viewer
// is used when its file is beside the program; otherwise our own help page
// opens in the user's browser, so that F1 always shows help.
#pragma once
#include <windows.h>

void ShowHelp(HWND window);
void CloseHelp(HWND window);
void OpenSkinDocument(HWND window);
