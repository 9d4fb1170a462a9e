// The timer's alarm check and the notification window: a small topmost window
// captioned with the alarm's title that plays the alarm's voice while it
// initialises, so the notifications of one second appear one after another.
#include <windows.h>
#include <windowsx.h>

#include "alarm/alarm_check.h"
#include "alarm/alarm_shell.h"
#include "alarm/local_clock.h"
#include "app/shell.h"
#include "platform/files.h"
#include "platform/text.h"

int notificationClientWidth = 0;

namespace {

AlarmCheckState alarmCheck;

}  // namespace

WorkArea ReadDesktopWorkArea() {
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
    area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return WorkArea{area.left, area.top, area.right, area.bottom};
}

std::string AlarmDataPath() { return platform::ProgramDirectory() + "Horalune.DAT"; }

bool SaveAlarmList() { return alarmList.Save(AlarmDataPath().c_str()); }

void CheckAlarms() {
  CheckDueAlarms(alarmCheck, alarmList, alarmQueue, ReadLocalClock(), ElapsedMilliseconds(),
                 OpenNotificationWindow);
}

void OpenNotificationWindow() {
  // Modeless and without owner: it lives until the user closes it.
  CreateDialogParamW(instance, MAKEINTRESOURCEW(alarm_ids::kNotificationTemplate), nullptr,
                     NotificationDlgProc, 0);
}

namespace {

void InitialiseNotification(HWND dialog) {
  const AlarmNotice* notice = alarmQueue.Front();
  if (notice == nullptr) {
    DestroyWindow(dialog);
    return;
  }
  HWND closeButton = GetDlgItem(dialog, alarm_ids::kNotificationClose);
  EnableWindow(closeButton, FALSE);
  const NotificationPlacer::Position at = notificationPlacer.Next();
  SetWindowTextW(dialog, platform::WideFromCp932(notice->title).c_str());
  SetDlgItemTextW(dialog, alarm_ids::kNotificationText,
                  platform::WideFromCp932(notice->text).c_str());
  SetWindowPos(dialog, HWND_TOPMOST, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  notificationPlacer.Opened();
  RECT client{};
  GetClientRect(dialog, &client);
  notificationClientWidth = client.right - client.left;
  // Returns when the sound has ended, the user chose "Close", or at once when
  // there is nothing to play. A notice found late stays silent.
  if (!notice->silent) {
    DialogBoxParamW(instance, MAKEINTRESOURCEW(alarm_ids::kPlaybackTemplate), dialog,
                    PlaybackDlgProc, 0);
  }
  if (IsWindow(dialog)) {
    EnableWindow(closeButton, TRUE);
    UpdateWindow(dialog);
  }
}

}  // namespace

INT_PTR CALLBACK NotificationDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitialiseNotification(dialog);
      break;
    case WM_PAINT:
      PaintGradient(dialog, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT));
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == alarm_ids::kNotificationClose) {
        notificationPlacer.Closed();
        DestroyWindow(dialog);
      }
      break;
    case WM_LBUTTONDOWN: {
      // Dragging anywhere moves the window, as its caption would.
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(dialog, &at);
      SendMessageW(dialog, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
      break;
    }
    default:
      break;
  }
  return FALSE;
}
