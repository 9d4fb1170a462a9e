// The timer tick's alarm check, free of windows: once per new second the due
// alarms are queued, and one notification window is opened per queued alarm.
#pragma once
#include <functional>

class AlarmList;
class AlarmQueue;

struct AlarmCheckState {
  int lastAlarmCheckTime = 999999;   // no tick produces this time code
  bool openingAlarmWindows = false;  // the opening loop is running further out
};

// `openWindow` creates the notification window for queue.Front() and returns
// once it has initialised (its playback done). It may run further checks inside
// (the timer keeps ticking in modal loops); those only queue.
void CheckDueAlarms(AlarmCheckState& state, const AlarmList& list, AlarmQueue& queue,
                    int weekday, int timeCode, const std::function<void()>& openWindow);
