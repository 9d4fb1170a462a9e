#include "alarm/alarm_check.h"

#include "alarm/alarm_list.h"
#include "alarm/alarm_queue.h"

void CheckDueAlarms(AlarmCheckState& state, const AlarmList& list, AlarmQueue& queue,
                    int weekday, int timeCode, const std::function<void()>& openWindow) {
  if (timeCode == state.lastAlarmCheckTime) return;  // this second is handled
  state.lastAlarmCheckTime = timeCode;
  const int due = list.CountDue(weekday, timeCode);
  for (int i = 0; i < due; ++i) queue.Push(list.FindDue(i, weekday, timeCode));
  // An outer call is still opening windows; it takes these entries too.
  if (state.openingAlarmWindows) return;
  while (!queue.IsEmpty()) {
    state.openingAlarmWindows = true;
    if (openWindow) openWindow();
    queue.Pop();
  }
  state.openingAlarmWindows = false;
}
