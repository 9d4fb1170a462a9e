// The playback window: a modal window owned by a notification that plays the
// alarm's voice (or the skin's alarm sound) in a media window and ends when the
// playback stops.
#pragma once
#include <windows.h>

// Plays the voice of the front alarm; returns when the playback has ended, the
// user chose "Close", or at once when there is nothing to play. A sound shows
// as a strip `stripWidth` wide across the top of the notification.
void PlayAlarmVoice(HWND notification, int stripWidth);
