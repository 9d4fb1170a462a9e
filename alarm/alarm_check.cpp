#include "alarm/alarm_check.h"

#include <algorithm>
#include <vector>

#include "alarm/alarm_handover.h"
#include "alarm/alarm_list.h"
#include "alarm/alarm_queue.h"

const char* const kSummaryTitle = "見逃したアラーム";
const char* const kMissedTitle = "時計を閉じている間に過ぎたアラーム";

namespace {

// One notice for many late ones: a line each, "MM-DD HH:MM:SS title".
AlarmNotice Summary(const std::vector<AlarmNotice>& late, const char* title) {
  AlarmNotice summary;
  summary.title = title;
  summary.silent = true;
  summary.serial = late.front().serial;
  for (const AlarmNotice& notice : late) {
    if (!summary.text.empty()) summary.text += "\r\n";
    summary.text += FormatLastChecked(notice.serial).substr(5) + ' ' + notice.title;
    summary.summarised.emplace_back(notice.serial, notice.identity);
  }
  return summary;
}

}  // namespace

void StartAfterClosed(AlarmCheckState& state, std::int64_t lastChecked) {
  if (state.walk.Started()) return;
  state.walk.StartAfter(lastChecked);
  state.listMissed = true;
}

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
  std::vector<AlarmNotice> found;
  const std::int64_t nowSerial = LocalSerial(now);
  const bool listMissed = state.listMissed;
  state.listMissed = false;
  std::vector<AlarmNotice> missed;
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
        if (listMissed && second.serial < nowSerial) {
          missed.push_back(std::move(notice));
        } else {
          found.push_back(std::move(notice));
        }
      }
    }
  });
  // Missed while closed: one window before anything else, walked in order so
  // oldest first.
  if (!missed.empty()) queue.Push(Summary(missed, kMissedTitle));
  std::vector<AlarmNotice> late;
  for (const AlarmNotice& notice : found) {
    if (notice.silent) late.push_back(notice);
  }
  const bool summarise = static_cast<int>(late.size()) >= kSummaryFrom;
  bool summaryQueued = false;
  for (const AlarmNotice& notice : found) {
    if (!summarise || !notice.silent) {
      queue.Push(notice);
    } else if (!summaryQueued) {  // in the place of the first late one
      queue.Push(Summary(late, kSummaryTitle));
      summaryQueued = true;
    }
  }
  // An outer call is still opening windows; it takes these entries too.
  if (state.openingAlarmWindows) return;
  while (!queue.IsEmpty()) {
    state.openingAlarmWindows = true;
    if (openWindow) openWindow();
    queue.Pop();
  }
  state.openingAlarmWindows = false;
}
