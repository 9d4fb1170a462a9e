// A day painted in English and Japanese over the shared gradient, and its
// events in a read-only edit. It opens on today; the arrow keys, Page Up/Down
// and Home browse to other days.
#include "calendar/win32/calendar_dialog.h"

#include "calendar/anniversary_store.h"
#include "calendar/calendar_text.h"
#include "calendar/day_browse.h"
#include "platform/local_clock.h"
#include "platform/text.h"
#include "platform/win32/handles.h"
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

// The one calendar (it is modal): the day it shows. Until the user browses it
// follows the clock, so a dialog left open over midnight paints the new date.
struct Browsing {
  HWND dialog = nullptr;
  bool followsClock = true;
  calendar::CalendarDate shown;
  win32::Hook keys;
};
Browsing browsing;

calendar::CalendarDate Today() { return {LocalYear(), LocalMonth(), LocalDay()}; }

calendar::CalendarDate ShownDate() { return browsing.followsClock ? Today() : browsing.shown; }

COLORREF SystemColour(calendar::LabelColour colour) {
  return GetSysColor(colour == calendar::LabelColour::ButtonHighlight ? COLOR_BTNHIGHLIGHT
                                                                     : COLOR_BTNTEXT);
}

void ShowEvents(HWND dialog) {
  const calendar::CalendarDate date = ShownDate();
  // Ordinal-weekday events are resolved for the year shown.
  anniversaryStore.RefreshYear(date.year);
  const std::string events = anniversaryStore.CalendarText(date.year, date.month, date.day);
  SetDlgItemTextW(dialog, kEventsEdit, platform::WideFromCp932(events).c_str());
  const int weekday = calendar::Weekday(date.year, date.month, date.day);
  SetWindowTextW(dialog, platform::WideFromCp932(calendar::DateCaption(date.year, date.month,
                                                                       date.day, weekday)).c_str());
}

void Paint(HWND dialog) {
  PaintGradient(dialog, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT));
  const RECT client = LayoutClient(dialog);
  // Read afresh at every paint while the dialog follows the clock.
  const calendar::CalendarDate date = ShownDate();
  const auto labels = calendar::CalendarLabels(
      {client.left, client.top, client.right, client.bottom}, date.year, date.month, date.day,
      calendar::Weekday(date.year, date.month, date.day));
  for (const calendar::CalendarLabel& label : labels) {
    const RECT box{label.box.left, label.box.top, label.box.right, label.box.bottom};
    DrawDialogText(dialog, box, label.format, label.height, label.weight, label.underline ? 1 : 0,
                   label.italic ? 1 : 0, SystemColour(label.colour), label.escapement,
                   label.text.c_str());
  }
}

void Browse(HWND dialog, WPARAM key) {
  using calendar::BrowseStep;
  const calendar::CalendarDate from = ShownDate();
  switch (key) {
    case VK_LEFT: browsing.shown = calendar::Step(from, BrowseStep::PreviousDay); break;
    case VK_RIGHT: browsing.shown = calendar::Step(from, BrowseStep::NextDay); break;
    case VK_UP: browsing.shown = calendar::Step(from, BrowseStep::PreviousWeek); break;
    case VK_DOWN: browsing.shown = calendar::Step(from, BrowseStep::NextWeek); break;
    case VK_PRIOR: browsing.shown = calendar::Step(from, BrowseStep::PreviousMonth); break;
    case VK_NEXT: browsing.shown = calendar::Step(from, BrowseStep::NextMonth); break;
    default: break;
  }
  browsing.followsClock = key == VK_HOME;
  ShowEvents(dialog);
  InvalidateRect(dialog, nullptr, TRUE);
}

bool IsBrowseKey(WPARAM key) {
  return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN || key == VK_PRIOR ||
         key == VK_NEXT || key == VK_HOME;
}

// The dialog manager would spend these keys moving the caret or the focus; the
// modal loop shows each message to this filter first.
LRESULT CALLBACK BrowseKeyFilter(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* message = reinterpret_cast<const MSG*>(lParam);
  if (code == MSGF_DIALOGBOX && message && browsing.dialog &&
      (message->hwnd == browsing.dialog || IsChild(browsing.dialog, message->hwnd))) {
    if (message->message == WM_KEYDOWN && IsBrowseKey(message->wParam)) {
      Browse(browsing.dialog, message->wParam);
      return TRUE;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

INT_PTR CALLBACK CalendarDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      busy = true;  // the tray icon only beeps while the calendar is open
      browsing.dialog = dialog;
      browsing.followsClock = true;
      browsing.keys.Reset(SetWindowsHookExW(WH_MSGFILTER, BrowseKeyFilter, nullptr, GetCurrentThreadId()));
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
    case WM_DESTROY:
      browsing.keys.Reset();
      browsing.dialog = nullptr;
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
