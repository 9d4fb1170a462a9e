// Today's date painted in English and Japanese over the shared gradient, and
// today's events in a read-only edit.
#include "calendar/win32/calendar_dialog.h"

#include "calendar/anniversary_store.h"
#include "calendar/calendar_text.h"
#include "platform/local_clock.h"
#include "platform/text.h"
#include "resources/resource_ids.h"
#include "ui/win32/dialog_paint.h"
#include "ui/win32/japanese_font.h"
#include "ui/win32/program_state.h"
#include "ui/win32/window_drag.h"

namespace {

constexpr int kEventsEdit = IDC_CALENDAR_EVENTS;
constexpr int kOkButton = IDC_CLOSE;

static_assert(calendar::kFormatCenter == DT_CENTER && calendar::kFormatRight == DT_RIGHT &&
                  calendar::kFormatBottom == DT_BOTTOM &&
                  calendar::kFormatSingleLine == DT_SINGLELINE,
              "label formats are DrawText flags");

COLORREF SystemColour(calendar::LabelColour colour) {
  return GetSysColor(colour == calendar::LabelColour::ButtonHighlight ? COLOR_BTNHIGHLIGHT
                                                                     : COLOR_BTNTEXT);
}

void ShowEvents(HWND dialog) {
  const std::string events = anniversaryStore.DayText(LocalYear(), LocalMonth(), LocalDay());
  SetDlgItemTextW(dialog, kEventsEdit, platform::WideFromCp932(events).c_str());
}

void Paint(HWND dialog) {
  PaintGradient(dialog, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT));
  const RECT client = LayoutClient(dialog);
  // Read afresh at every paint: a dialog left open over midnight shows the new date.
  const auto labels = calendar::CalendarLabels({client.left, client.top, client.right, client.bottom},
                                               LocalYear(), LocalMonth(), LocalDay(), LocalWeekday());
  for (const calendar::CalendarLabel& label : labels) {
    const RECT box{label.box.left, label.box.top, label.box.right, label.box.bottom};
    DrawDialogText(dialog, box, label.format, label.height, label.weight, label.underline ? 1 : 0,
                   label.italic ? 1 : 0, SystemColour(label.colour), label.escapement,
                   label.text.c_str());
  }
}

INT_PTR CALLBACK CalendarDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      busy = true;  // the tray icon only beeps while the calendar is open
      ShowEvents(dialog);
      UpdateWindow(dialog);
      break;
    case WM_PAINT:
      Paint(dialog);
      break;
    case WM_COMMAND:
      // Only "ok" closes; Enter and Esc arrive as IDOK / IDCANCEL and are ignored.
      if (LOWORD(wParam) == kOkButton) {
        EndDialog(dialog, kOkButton);
        busy = false;
      }
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

void ShowCalendarDialog(HWND owner) {
  anniversaryStore.RefreshYear();  // the year may have turned since start-up
  JapaneseDialogBox(instance, IDD_CALENDAR, owner, CalendarDlgProc, 0);
}
