// The timer tick's alarm check, free of windows: every local second since the
// last check is matched against the list, the due alarms are queued as copies,
// and one notification window is opened per queued notice.
#pragma once
#include <cstdint>
#include <functional>

#include "alarm/alarm_identity.h"
#include "alarm/alarm_walk.h"
#include "platform/local_clock.h"

class AlarmList;
class AlarmQueue;

// A notice found this late or later is shown without sound.
constexpr std::int64_t kSilentAfterMs = 60 * 1000;

// One check that finds this many late notices or more (a clock set far
// forward, a long sleep) shows them in one summary window instead of one
// window each: its title, then one line per alarm with its date, time and
// title, silently. Fewer open one window each.
constexpr int kSummaryFrom = 5;
extern const char* const kSummaryTitle;  // "見逃したアラーム"

// The one window that lists, at start-up, the alarms that fell due while no
// clock was running (StartAfterClosed): its title, then a line per alarm as in
// the summary, oldest first, silently, however few they are.
extern const char* const kMissedTitle;  // "時計を閉じている間に過ぎたアラーム"

struct AlarmCheckState {
  AlarmWalk walk;
  bool openingAlarmWindows = false;  // the opening loop is running further out
  // The (local second, alarm) pairs queued, so that no alarm is shown twice
  // for one second however the clock moves or the list is edited.
  ShownAlarms shown;
  // The next check lists the seconds before its own as missed while closed.
  bool listMissed = false;
};

// Before the first check of a clock that owns the alarms from its start: the
// first check walks on from `lastChecked`, the last second a clock looked at
// before it was closed (at most a day back), and lists the alarms due before
// its own second in one missed-while-closed window; its own second rings as
// usual. Without a written last second the first check looks at its own
// second only, as ever.
void StartAfterClosed(AlarmCheckState& state, std::int64_t lastChecked);

// `now` is one reading of the local clock and `elapsedMs` the monotonic clock
// read with it. Call it on every tick and whenever the time may have jumped
// (resume from sleep, a clock change): a second already looked at is walked
// again only after the clock was set back, and then shows nothing twice. `openWindow` creates the notification window for
// queue.Front() and returns once it has initialised (its playback done). It
// may run further checks inside (the timer keeps ticking in modal loops);
// those only queue.
void CheckDueAlarms(AlarmCheckState& state, const AlarmList& list, AlarmQueue& queue,
                    const LocalClockReading& now, std::int64_t elapsedMs,
                    const std::function<void()>& openWindow);
