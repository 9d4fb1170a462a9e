// The process-wide objects. They are constructed in this order before the
// entry point runs and destroyed in the reverse order after it returns, so
// they must stay together in this one file.
#include <windows.h>

#include "alarm/win32/alarm_objects.h"
#include "calendar/anniversary_store.h"
#include "calendar/win32/calendar_dialog.h"
#include "render/clock_state.h"
#include "ui/win32/program_state.h"
#include "ui/win32/work_area.h"

// 1. The clock: skin, layers, frame, paths.
ClockState clockState;

// 2. The anniversary store: reads the anniversary files.
AnniversaryStore anniversaryStore;

// 3. The alarm list: reads the Alarm section of Horalune.DAT.
AlarmList alarmList;

// 4. The queue of due alarms waiting for their notification window.
AlarmQueue alarmQueue;

// 5. Where notification windows go: reads the desktop work area.
NotificationPlacer notificationPlacer(ReadDesktopWorkArea);

// Shell state.
HWND mainWindow = nullptr;
HINSTANCE instance = nullptr;
bool busy = true;
int windowOpacityPercent = 100;
bool windowClickThrough = false;
