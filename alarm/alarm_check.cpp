#include "alarm/alarm_check.h"

#include <algorithm>
#include <vector>

#include "alarm/alarm_list.h"
#include "alarm/alarm_queue.h"

namespace {

// An alarm is itself as long as its place, time and texts stay; an alarm
// edited to another time is another alarm.
std::string Identity(int index, const AlarmRecord& record) {
  return std::to_string(index) + '\n' + record.FormatTimeKey() + '\n' + record.Title() + '\n' +
         record.Message() + '\n' + record.Voice();
}

// Forgets what lies more than two days before now: no walk reaches it again.
void Forget(AlarmCheckState& state, std::int64_t nowSerial) {
  constexpr std::size_t kMostRemembered = 10000;
  auto& shown = state.shown;
  const auto keep = shown.lower_bound({nowSerial - 2 * AlarmWalk::kDaySeconds, std::string()});
  shown.erase(shown.begin(), keep);
  while (shown.size() > kMostRemembered) shown.erase(shown.begin());
}

}  // namespace

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
  state.walk.Step(now, elapsedMs, [&](const WalkedSecond& second) {
    if (!std::binary_search(dueTimes.begin(), dueTimes.end(), second.timeCode)) return;
    for (int i = 0; i < list.Count(); ++i) {
      const AlarmRecord& record = *list.Active(i);
      if (!record.IsDue(second.weekday, second.timeCode)) continue;
      if (!state.shown.emplace(second.serial, Identity(i, record)).second) continue;
      AlarmNotice notice;
      if (MakeAlarmNotice(record, second.latenessMs >= kSilentAfterMs, notice)) queue.Push(notice);
    }
  });
  Forget(state, LocalSerial(now));
  // An outer call is still opening windows; it takes these entries too.
  if (state.openingAlarmWindows) return;
  while (!queue.IsEmpty()) {
    state.openingAlarmWindows = true;
    if (openWindow) openWindow();
    queue.Pop();
  }
  state.openingAlarmWindows = false;
}
