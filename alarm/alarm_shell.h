// The alarm subsystem's process-wide objects and its windows (Windows build).
// The objects are defined, in their construction order, with the other
// process-wide objects of the program.
#pragma once
#include <windows.h>

#include "alarm/alarm_list.h"
#include "alarm/alarm_queue.h"
#include "alarm/notification_placer.h"

extern AlarmList alarmList;
extern AlarmQueue alarmQueue;
extern NotificationPlacer notificationPlacer;

// Client-area width of the newest notification window, for its playback strip.
extern int notificationClientWidth;

// The desktop work area, as the notification placer reads it.
WorkArea ReadDesktopWorkArea();

// Full path of Horalune.DAT (code page 932).
std::string AlarmDataPath();

// Creates the notification window for alarmQueue.Front(); returns once the
// window has initialised (its playback has ended).
void OpenNotificationWindow();

INT_PTR CALLBACK NotificationDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PlaybackDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Resource and control ids of the alarm windows.
namespace alarm_ids {
constexpr int kEditorTemplate = 105;
constexpr int kNotificationTemplate = 107;
constexpr int kPlaybackTemplate = 110;
constexpr int kPlaybackMenu = 111;
constexpr int kPlaybackClose = 40002;

constexpr int kNotificationText = 1040;
constexpr int kNotificationClose = 1008;

constexpr int kApply = 1020;
constexpr int kCancel = 1021;
constexpr int kBack = 1022;
constexpr int kNext = 1023;
constexpr int kAdd = 1024;
constexpr int kDelete = 1025;
constexpr int kTitle = 1026;
constexpr int kOk = 1027;
constexpr int kMessage = 1028;
constexpr int kBrowse = 1030;
constexpr int kVoice = 1031;
constexpr int kWeekday = 1032;
constexpr int kHour = 1033;
constexpr int kSwitch = 1034;
constexpr int kMinute = 1035;
constexpr int kSecond = 1036;
}  // namespace alarm_ids
