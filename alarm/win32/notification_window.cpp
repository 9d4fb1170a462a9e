#include "alarm/win32/notification_window.h"

#include <windows.h>

#include <map>

#include "alarm/win32/alarm_objects.h"
#include "alarm/win32/keep_awake.h"
#include "alarm/win32/playback_window.h"
#include "platform/text.h"
#include "resources/resource_ids.h"
#include "ui/win32/dialog_paint.h"
#include "ui/win32/display_scale.h"
#include "ui/win32/japanese_font.h"
#include "ui/win32/program_state.h"
#include "ui/win32/window_drag.h"

namespace {

// The notice each open window shows, for "snooze": the queue's entry goes
// once the window has initialised.
std::map<HWND, AlarmNotice> shownNotices;
SnoozeHandler snoozeHandler = nullptr;

// A summary may hold more lines than its box shows. The box is made again
// with a vertical scroll bar (an edit control takes WS_VSCROLL only when it is
// made), in the same place, font and tab order, so the user sees there is more.
void GiveTextBoxAScrollBar(HWND dialog) {
  HWND old = GetDlgItem(dialog, IDC_NOTIFICATION_TEXT);
  RECT rect{};
  GetWindowRect(old, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(old, GWL_STYLE)) | WS_VSCROLL;
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(old, GWL_EXSTYLE));
  HWND box = CreateWindowExW(exStyle, L"EDIT", L"", style, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, dialog,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_NOTIFICATION_TEXT)),
                             instance, nullptr);
  if (box == nullptr) return;  // the box without a bar still scrolls by keys and wheel
  // The dialog's font belongs to the dialog, which outlives the box.
  SendMessageW(box, WM_SETFONT, SendMessageW(old, WM_GETFONT, 0, 0), FALSE);
  SetWindowPos(box, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  DestroyWindow(old);
}

void InitialiseNotification(HWND dialog) {
  const AlarmNotice* notice = alarmQueue.Front();
  if (notice == nullptr) {
    DestroyWindow(dialog);
    return;
  }
  shownNotices[dialog] = *notice;
  HWND closeButton = GetDlgItem(dialog, IDC_CLOSE);
  HWND snoozeButton = GetDlgItem(dialog, IDC_SNOOZE);
  // Many alarms in one window are not put off as one: no button at all.
  if (snoozeHandler == nullptr || !notice->summarised.empty()) {
    DestroyWindow(snoozeButton);
    snoozeButton = nullptr;
  }
  EnableWindow(closeButton, FALSE);
  if (snoozeButton != nullptr) EnableWindow(snoozeButton, FALSE);
  const NotificationPlacer::Position at = notificationPlacer.Next(WindowDpi(dialog));
  SetWindowTextW(dialog, platform::WideFromCp932(notice->title).c_str());
  if (!notice->summarised.empty()) GiveTextBoxAScrollBar(dialog);
  SetDlgItemTextW(dialog, IDC_NOTIFICATION_TEXT,
                  platform::WideFromCp932(notice->text).c_str());
  if (!notice->summarised.empty()) {
    // A summary is read from its first line: once activation has selected the
    // text, the caret goes back to the start.
    HWND text = GetDlgItem(dialog, IDC_NOTIFICATION_TEXT);
    PostMessageW(text, EM_SETSEL, 0, 0);
    PostMessageW(text, EM_SCROLLCARET, 0, 0);
  }
  SetWindowPos(dialog, HWND_TOPMOST, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  notificationPlacer.Opened();
  RECT client{};
  GetClientRect(dialog, &client);
  // A notice found late stays silent: "close" is usable at once.
  if (!notice->silent) PlayAlarmVoice(dialog, client.right - client.left);
  if (IsWindow(dialog)) {
    EnableWindow(closeButton, TRUE);
    if (snoozeButton != nullptr) EnableWindow(snoozeButton, TRUE);
    UpdateWindow(dialog);
  }
}

INT_PTR CALLBACK NotificationDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      NotificationOpened();  // before the voice plays: the screen is on while it rings
      InitialiseNotification(dialog);
      break;
    case WM_PAINT:
      PaintGradient(dialog, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT));
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_SNOOZE) {
        const auto shown = shownNotices.find(dialog);
        if (shown == shownNotices.end() || snoozeHandler == nullptr ||
            !snoozeHandler(shown->second)) {
          MessageBeep(MB_ICONWARNING);
          break;
        }
      }
      if (LOWORD(wParam) == IDC_CLOSE || LOWORD(wParam) == IDC_SNOOZE) {
        notificationPlacer.Closed();
        DestroyWindow(dialog);
      }
      break;
    case WM_DESTROY:
      shownNotices.erase(dialog);
      NotificationClosed();
      break;
    case WM_LBUTTONDOWN:
      DragWindow(dialog);
      break;
    case WM_DPICHANGED:
      RepaintAtNewDpi(dialog);
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

void OpenNotificationWindow(SnoozeHandler snooze) {
  snoozeHandler = snooze;
  // Modeless and without owner: it lives until the user closes it.
  CreateJapaneseDialog(instance, IDD_NOTIFICATION, nullptr, NotificationDlgProc, 0);
}
