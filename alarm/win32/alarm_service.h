// The clock's calls into the alarms.
#pragma once

// The timer tick's alarm check: once per new second, queue the due alarms and
// open one notification window per queued alarm.
void CheckAlarms();

// Saves the alarm list into the settings file (exit, editor commit, session end).
bool SaveAlarmList();
