// The process-wide objects. They are constructed in this order before the
// entry point runs and destroyed in the reverse order after it returns, so
// they must stay together in this one file.
#include <windows.h>

#include <string>

#include "alarm/alarm_shell.h"
#include "app/clock_app.h"
#include "app/shell.h"
#include "calendar/anniversary_store.h"
#include "skin/clock_state.h"

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
bool startingUp = true;
char droppedPath[260] = "";
char chosenPath[260] = "";
std::string dataDirectory;
