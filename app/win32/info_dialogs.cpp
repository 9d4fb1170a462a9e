// Both dialogs share one template.
#include "app/win32/info_dialogs.h"

#include <string>

#include "app/info_texts.h"
#include "render/clock_state.h"
#include "resources/resource_ids.h"
#include "ui/intro_picture.h"
#include "ui/win32/dialog_paint.h"
#include "ui/win32/japanese_font.h"
#include "ui/win32/program_state.h"
#include "ui/win32/window_drag.h"

namespace {

constexpr WORD kCloseButton = IDC_CLOSE;

void DrawBody(HWND dialog, RECT rectangle, UINT alignment, const std::string& text) {
  DrawDialogText(dialog, rectangle, alignment | DT_WORDBREAK | DT_END_ELLIPSIS, 12, 0, 0, 0,
                 GetSysColor(COLOR_BTNTEXT), 0, text.c_str());
}

// The heading sits 20 to 2 pixels above the bottom, 10 pixels in from each side.
void DrawHeading(HWND dialog, const RECT& client, const char* heading) {
  const RECT rectangle{client.left + 10, client.bottom - 20, client.right - 10, client.bottom - 2};
  DrawDialogText(dialog, rectangle, DT_BOTTOM, 16, 700, 1, 1, GetSysColor(COLOR_BTNHIGHLIGHT), 0,
                 heading);
}

// Shared by both dialogs: close, drag. Esc (IDCANCEL) is deliberately ignored.
void HandleCommon(HWND dialog, UINT message, WPARAM wParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == kCloseButton) {
    EndDialog(dialog, kCloseButton);
    busy = false;
  } else if (message == WM_LBUTTONDOWN) {
    DragWindow(dialog);
  } else if (message == WM_DPICHANGED) {
    RepaintAtNewDpi(dialog);
  }
}

INT_PTR CALLBACK WorkIntroDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      busy = true;
      BuildIntroPicture(clockState, GetSysColor(COLOR_BTNFACE));
      UpdateWindow(dialog);
      break;
    case WM_PAINT: {
      PaintIntroPicture(clockState, dialog);
      const RECT client = LayoutClient(dialog);
      RECT text = client;
      InflateRect(&text, -10, -10);
      DrawBody(dialog, text, DT_RIGHT, WorkIntroductionText(clockState.settings));
      DrawHeading(dialog, client, "Work Introduction");
      break;
    }
    default:
      HandleCommon(dialog, message, wParam);
      break;
  }
  return FALSE;
}

INT_PTR CALLBACK VersionDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      busy = true;
      UpdateWindow(dialog);
      break;
    case WM_PAINT: {
      PaintGradient(dialog, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT));
      const RECT client = LayoutClient(dialog);
      RECT text = client;
      text.top += 30;
      text.bottom -= 10;
      DrawBody(dialog, text, DT_CENTER, VersionText());
      DrawHeading(dialog, client, "Version Information");
      break;
    }
    default:
      HandleCommon(dialog, message, wParam);
      break;
  }
  return FALSE;
}

}  // namespace

void ShowWorkIntroDialog(HWND owner) {
  JapaneseDialogBox(instance, IDD_INFORMATION, owner, WorkIntroDlgProc, 0);
}

void ShowVersionDialog(HWND owner) {
  JapaneseDialogBox(instance, IDD_INFORMATION, owner, VersionDlgProc, 0);
}
