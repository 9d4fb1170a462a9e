// The clock's calls into the alarms.
#pragma once
#include "alarm/next_due.h"

class WakeTimer;

// Whether this clock owns the alarms of its settings file: the first clock
// started on a Horalune.DAT does; any other shows its clock but leaves the
// alarms alone, and takes them over (reading the file afresh) once the owner
// has gone. Each time it becomes the owner (the first time too) it reads the
// list afresh from the file.
bool OwnsAlarms();

// Whether the list could be read from the settings file; when it could not,
// reads it once more first. While it stays unreadable, the editor stays shut
// and nothing is saved over the file.
bool AlarmListAvailable();

struct AlarmNotice;

// The timer tick's alarm check: once per new second, queue the due alarms and
// open one notification window per queued alarm.
void CheckAlarms();

// "snooze" on a notification: the notice rings again, with its sound, after
// the file's SnoozeMinutes (alarm/snooze.h), also after a restart. False when
// it cannot be put off (a summary, a full list, a clock that does not own the
// alarms).
bool SnoozeNotice(const AlarmNotice& notice);

// Saves the alarm list, with the last second looked at, into the settings
// file (exit, editor commit, session end); a clock that does not own the
// alarms, or could not read them, writes nothing. A failure is said once, in a
// message box owned by the clock window, except when the session is ending
// (it is only logged then, so as not to hold up the shutdown).
bool SaveAlarmList(bool sessionEnding = false);

// The wake timer of the alarms this clock owns: armed at the next moment an
// alarm that is on falls due, cancelled when none is or this clock does not
// own the alarms. Every check and every save re-arms it, so a clock or zone
// change and a resume (which all check at once) re-arm it too.
WakeTimer& AlarmWakeTimer();
void RearmWakeTimer();

// The clock was set or the time zone changed: the zone is read afresh and the
// check runs at once (re-arming the wake timer).
void ClockOrZoneChanged();

// Tests: the zone rule the wake timer reckons with; empty takes the system's
// zone afresh at each re-arming.
void SetAlarmZoneRule(UtcOffsetAt rule);
