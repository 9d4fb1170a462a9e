/* Every number that the resource scripts and the code share: templates,
   controls, menus, the icon, the timer and the clock window's commands. Read by
   windres too, so the resource ids are plain macros. */
#pragma once

/* Icon of the window class and the notification area. */
#define IDI_HORALUNE 101

/* Dialog templates and the playback window's menu. */
#define IDD_INFORMATION 103 /* work introduction and version */
#define IDD_CALENDAR 104
#define IDD_ALARM_EDITOR 105
#define IDD_NOTIFICATION 107
#define IDD_PLAYBACK 110
#define IDR_PLAYBACK_MENU 111

/* Controls. "close" and "ok" of the information, calendar and notification
   windows share one number. */
#define IDC_CLOSE 1008
#define IDC_CALENDAR_EVENTS 1018
#define IDC_ALARM_APPLY 1020
#define IDC_ALARM_CANCEL 1021
#define IDC_ALARM_BACK 1022
#define IDC_ALARM_NEXT 1023
#define IDC_ALARM_ADD 1024
#define IDC_ALARM_DELETE 1025
#define IDC_ALARM_TITLE 1026
#define IDC_ALARM_OK 1027
#define IDC_ALARM_MESSAGE 1028
#define IDC_ALARM_BROWSE 1030
#define IDC_ALARM_VOICE 1031
#define IDC_ALARM_WEEKDAY 1032
#define IDC_ALARM_HOUR 1033
#define IDC_ALARM_SWITCH 1034
#define IDC_ALARM_MINUTE 1035
#define IDC_ALARM_SECOND 1036
#define IDC_NOTIFICATION_TEXT 1040
#define IDC_SNOOZE 1041 /* the notification's "snooze" */
#define IDM_PLAYBACK_CLOSE 40002

#ifndef RC_INVOKED
/* The clock window's one timer. */
enum : unsigned { kClockTimer = 1 };

/* Commands of the clock window: its popup menu, its keys and the tray icon. */
enum ClockCommand : unsigned {
  kCommandAntialiasing = 5001,
  kCommandAlarm = 5002,
  kCommandWorkIntroduction = 5003,
  kCommandTopmost = 5004,
  kCommandVersionInfo = 5005,
  kCommandCalendar = 5006,
  kCommandEffectNormal = 5500, /* + the effect number, 0 to 6 */
  kCommandEffectEmboss = 5506,
  kCommandExit = 5507,
  kCommandLoadSkin = 5508,
  kCommandHelp = 5509,
  kCommandMessage = 5510,
  kCommandOpacity100 = 5600, /* + the place in kOpacityChoices: 100 % down to 50 % */
  kCommandOpacity50 = 5605,
  kCommandClickThrough = 5610,
  kCommandWakeForAlarms = 5620, /* 5620-5639: waking for alarms */
};
#endif
