// Process-wide state of the Win32 shell and the entry points that one part of
// the shell offers the others. Windows build only.
#pragma once
#include <windows.h>

class ClockState;

// The process-wide clock object (constructed before the entry point).
extern ClockState clockState;

extern HWND mainWindow;
extern HINSTANCE instance;
extern bool busy;          // a modal window of the program is open
extern bool startingUp;    // no start-up skin settled yet
extern char droppedPath[260];
extern char chosenPath[260];

// Timer tick's alarm check: once per new second, queue the due alarms and open
// one notification window per queued alarm.
void CheckAlarms();

// Notification-area icon and popup menu.
bool AddTrayIcon(HWND window);
bool UpdateTrayTip(const char* title);  // code page 932
bool DeleteTrayIcon();
UINT TaskbarCreatedMessage();           // Explorer restarted: add the icon again
void ForceForeground(HWND window);
void ShowPopupMenu(HWND window, int x, int y);

// Dialog painting shared by every dialog.
void PaintIntroPicture(ClockState& clock, HWND dialog);
void PaintGradient(HWND dialog, COLORREF a, COLORREF b);
void DrawDialogText(HWND window, RECT rectangle, UINT format, int height, int weight,
                    int underline, int italic, COLORREF colour, int escapement,
                    const char* text);

// Dialog procedures (templates 103, 105, 104).
INT_PTR CALLBACK WorkIntroDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK VersionDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AlarmDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CalendarDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Help (F1, command 5509; closed at exit) and the skin's document (F3, 5510).
void ShowHelp(HWND window);
void CloseHelp(HWND window);
void OpenSkinDocument(HWND window);

// Skin loading with the window region, and presentation.
bool LoadSkin(ClockState& clock, HWND window);
// Tests: every region is refused, as a platform short of memory would.
void RefuseRegionsForTesting(bool refuse);
void PresentFrame(ClockState& clock, HWND window, int effect, bool fromPaintMessage);

// Saves the alarm list into Horalune.DAT (exit, editor commit, session end).
bool SaveAlarmList();
