#include "alarm/alarm_check.h"

#include <algorithm>
#include <vector>

#include "alarm/alarm_list.h"
#include "alarm/alarm_queue.h"

void CheckDueAlarms(AlarmCheckState& state, const AlarmList& list, AlarmQueue& queue,
                    const LocalClockReading& now, std::int64_t elapsedMs,
                    const std::function<void()>& openWindow) {
  // After a long sleep a day of seconds is walked: skip quickly the seconds
  // at which no alarm that is on could be due.
  std::vector<int> dueTimes;
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Active(i)->SwitchOn()) dueTimes.push_back(list.Active(i)->TimeCode());
  }
  std::sort(dueTimes.begin(), dueTimes.end());
  const std::vector<AlarmIdentity> identities = IdentifyAlarms(list);
  state.walk.Step(now, elapsedMs, [&](const WalkedSecond& second) {
    if (!std::binary_search(dueTimes.begin(), dueTimes.end(), second.timeCode)) return;
    for (int i = 0; i < list.Count(); ++i) {
      const AlarmRecord& record = *list.Active(i);
      if (!record.IsDue(second.weekday, second.timeCode)) continue;
      if (!state.shown.Mark(second.serial, identities[i])) continue;
      AlarmNotice notice;
      if (MakeAlarmNotice(record, second.latenessMs >= kSilentAfterMs, notice)) {
        notice.serial = second.serial;
        notice.identity = identities[i];
        queue.Push(notice);
      }
    }
  });
  // An outer call is still opening windows; it takes these entries too.
  if (state.openingAlarmWindows) return;
  while (!queue.IsEmpty()) {
    state.openingAlarmWindows = true;
    if (openWindow) openWindow();
    queue.Pop();
  }
  state.openingAlarmWindows = false;
}
