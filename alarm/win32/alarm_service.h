// The clock's calls into the alarms.
#pragma once

// Whether this clock owns the alarms of its settings file: the first clock
// started on a Horalune.DAT does; any other shows its clock but leaves the
// alarms alone, and takes them over (reading the file afresh) once the owner
// has gone.
bool OwnsAlarms();

// The timer tick's alarm check: once per new second, queue the due alarms and
// open one notification window per queued alarm.
void CheckAlarms();

// Saves the alarm list into the settings file (exit, editor commit, session
// end); a clock that does not own the alarms writes nothing.
bool SaveAlarmList();
