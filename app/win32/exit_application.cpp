#include "app/win32/exit_application.h"

#include <windows.h>

#include "alarm/win32/alarm_service.h"
#include "app/win32/help.h"
#include "app/win32/tray_icon.h"
#include "ui/win32/program_state.h"

bool ExitApplication() {
  static bool done = false;
  if (done) return true;
  done = true;
  CloseHelp(mainWindow);
  SaveAlarmList();
  DeleteTrayIcon();
  PostQuitMessage(0);
  return true;
}
