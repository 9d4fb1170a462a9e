#include "alarm/win32/alarm_service.h"

#include "alarm/alarm_check.h"
#include "alarm/win32/alarm_objects.h"
#include "alarm/win32/notification_window.h"
#include "platform/files.h"
#include "platform/local_clock.h"

namespace {

AlarmCheckState alarmCheck;

}  // namespace

bool SaveAlarmList() {
  return alarmList.Save(platform::SettingsFilePath(platform::ProgramDirectory()).c_str());
}

void CheckAlarms() {
  CheckDueAlarms(alarmCheck, alarmList, alarmQueue, ReadLocalClock(), ElapsedMilliseconds(),
                 OpenNotificationWindow);
}
