// The notification window: a small topmost window captioned with the alarm's
// title that plays the alarm's voice while it initialises, so the
// notifications of one second appear one after another.
#pragma once

struct AlarmNotice;

// Puts a notice off ("snooze"); false when it cannot be.
using SnoozeHandler = bool (*)(const AlarmNotice& notice);

// Creates the notification window for the front of the alarm queue; returns
// once the window has initialised (its playback has ended). Its "snooze"
// button hands the window's notice to `snooze` and closes the window when
// that succeeds; a summary, or no handler, hides the button.
void OpenNotificationWindow(SnoozeHandler snooze = nullptr);
