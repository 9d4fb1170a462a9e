// The process-wide objects every window of the program shares. They are
// defined, in their construction order, in app/win32/process_objects.cpp.
#pragma once
#include <windows.h>

class ClockState;

// The clock: the current skin, its pictures and composed frame, the paths.
extern ClockState clockState;

extern HWND mainWindow;
extern HINSTANCE instance;
// A modal window of the program is open: the tray icon only beeps.
extern bool busy;
// The clock window's opacity in percent (50 to 100) and whether clicks pass
// through it, as the user chose them (Horalune.DAT; app/window_look.h).
extern int windowOpacityPercent;
extern bool windowClickThrough;
