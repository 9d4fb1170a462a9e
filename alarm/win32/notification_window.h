// The notification window: a small topmost window captioned with the alarm's
// title that plays the alarm's voice while it initialises, so the
// notifications of one second appear one after another.
#pragma once

// Creates the notification window for the front of the alarm queue; returns
// once the window has initialised (its playback has ended).
void OpenNotificationWindow();
