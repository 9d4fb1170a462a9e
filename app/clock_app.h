// The clock window's start-up, window procedure, exit and skin switching.
// Windows build only.
#pragma once
#include <windows.h>

#include <string>

// Private message of the notification-area icon.
constexpr UINT kTrayNotifyMessage = 0x8064;  // WM_TRAYNOTIFY

// The directory the skin dialog opens in; settled at start-up.
extern std::string dataDirectory;

bool InitApplication(HINSTANCE instanceHandle, const char* commandLine, int showCommand);
bool ExitApplication();
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Where to put a window whose screen rectangle is given so that it lies inside
// the work area of the monitor nearest to it; the size is never changed.
POINT KeepInWorkArea(int left, int top, int right, int bottom);

// Skin selection (the open-file dialog) and switching.
bool ChooseSkinFile(HWND owner);
bool FitWindowToBody(const std::string& skinPath);
int ApplySkin(HWND window, const char* newPath);
bool SaveDisplayOptions(HWND window);
// Copies a path into one of the 260-byte path buffers, cut at a character.
void CopyPath(char (&target)[260], const std::string& path);
// Timer 1 with the current skin's Interval; and the z-order from its Topmost flag.
void StartClockTimer(HWND window);
void ApplyTopmost(HWND window);
