// Placeholder until the tray, menu, dialog painting and information dialogs land.
#include "app/shell.h"
bool AddTrayIcon(HWND) { return true; }
bool UpdateTrayTip(const char*) { return true; }
bool DeleteTrayIcon() { return true; }
UINT TaskbarCreatedMessage() { return 0; }
void ForceForeground(HWND) {}
void ShowPopupMenu(HWND, int, int) {}
void PaintIntroPicture(ClockState&, HWND) {}
void PaintGradient(HWND, COLORREF, COLORREF) {}
void DrawDialogText(HWND, RECT, UINT, int, int, int, int, COLORREF, int, const char*) {}
INT_PTR CALLBACK WorkIntroDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
INT_PTR CALLBACK VersionDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
void ShowHelp(HWND) {}
void CloseHelp(HWND) {}
void OpenSkinDocument(HWND) {}
