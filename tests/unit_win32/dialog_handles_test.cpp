// Opening and closing every dialog many times must give back every GDI and
// USER object it makes: a clock runs for weeks.
#include <windows.h>

#include <gtest/gtest.h>

#include "alarm/win32/alarm_dialog.h"
#include "app/win32/info_dialogs.h"
#include "calendar/win32/calendar_dialog.h"
#include "resources/resource_ids.h"
#include "unit/wine_check.h"
#include "unit_win32/handle_slots.h"

namespace {

int closeButton = 0;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  wchar_t name[16] = L"";
  GetClassNameW(window, name, 16);
  if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// Runs inside the dialog's own message loop: presses its closing button, as a
// user would, once the dialog shows.
void CALLBACK PressClose(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr) return;  // not shown yet: the next tick
  KillTimer(nullptr, timer);
  // A message box instead of the dialog has no such button: its OK closes it.
  const int button = GetDlgItem(dialog, closeButton) != nullptr ? closeButton : IDOK;
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

void OpenAndClose(void (*show)(HWND), int button) {
  closeButton = button;
  SetTimer(nullptr, 0, 1, PressClose);
  show(nullptr);
}

TEST(LongRun, EveryDialogOpensAndClosesManyTimesWithoutLeaking) {
  struct Dialog {
    void (*show)(HWND);
    int close;
  };
  const Dialog dialogs[] = {{ShowWorkIntroDialog, IDC_CLOSE},
                            {ShowVersionDialog, IDC_CLOSE},
                            {ShowCalendarDialog, IDC_CLOSE},
                            {ShowAlarmDialog, IDC_ALARM_CANCEL}};
  for (const Dialog& d : dialogs) OpenAndClose(d.show, d.close);  // first-use caches
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  const WORD slot = NextGdiSlot();
  // Wine under a virtual display waits about two seconds for each window to
  // go away, so it makes do with a few rounds; Windows does a hundred.
  const int rounds = RunningUnderWine() ? 3 : 100;
  for (int round = 0; round < rounds; ++round) {
    for (const Dialog& d : dialogs) OpenAndClose(d.show, d.close);
  }
  // Wine reports no counts: then the slot a new object gets must be the same.
  if (gdi != 0) {
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi);
  }
  if (user != 0) {
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user);
  }
  EXPECT_EQ(NextGdiSlot(), slot);
}

}  // namespace
