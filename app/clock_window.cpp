// The clock window's procedure: messages, function keys and commands.
#include <windows.h>
#include <shellapi.h>
#include <windowsx.h>

#include <string>

#include "app/app_texts.h"
#include "app/clock_app.h"
#include "app/shell.h"
#include "calendar/anniversary_store.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "skin/clock_state.h"

namespace {

enum Command : WORD {
  IDM_ANTIALIASING = 5001,
  IDM_ALARM = 5002,
  IDM_WORK_INTRODUCTION = 5003,
  IDM_TOPMOST = 5004,
  IDM_VERSION_INFO = 5005,
  IDM_CALENDAR = 5006,
  IDM_EFFECT_NORMAL = 5500,
  IDM_EFFECT_EMBOSS = 5506,
  IDM_EXIT = 5507,
  IDM_LOAD_SKIN = 5508,
  IDM_HELP = 5509,
  IDM_MESSAGE = 5510,
};

void Present(HWND window, bool fromPaintMessage) {
  PresentFrame(clockState, window, clockState.settings.effect, fromPaintMessage);
}

void RunDialog(HWND window, int templateId, DLGPROC procedure) {
  DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), window, procedure, 0);
}

// Copies the first dropped name into droppedPath and releases the drop.
UINT TakeDroppedFile(HDROP drop) {
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  if (count >= 1) {
    wchar_t name[MAX_PATH] = L"";
    DragQueryFileW(drop, 0, name, MAX_PATH);
    CopyPath(droppedPath, platform::Cp932FromWide(name));
  }
  DragFinish(drop);
  return count;
}

void ShowMenuAtCursor(HWND window) {
  POINT cursor{};
  GetCursorPos(&cursor);
  ShowPopupMenu(window, cursor.x, cursor.y);
}

void OnCommand(HWND window, WORD command) {
  switch (command) {
    case IDM_ANTIALIASING:
      clockState.settings.antiAliasing = !clockState.settings.antiAliasing;
      clockState.ComposeFrame();
      Present(window, false);
      break;
    case IDM_ALARM:
      RunDialog(window, 105, AlarmDlgProc);
      break;
    case IDM_WORK_INTRODUCTION:
      RunDialog(window, 103, WorkIntroDlgProc);
      break;
    case IDM_TOPMOST:
      clockState.settings.topmost = !clockState.settings.topmost;
      ApplyTopmost(window);
      break;
    case IDM_VERSION_INFO:
      RunDialog(window, 103, VersionDlgProc);
      break;
    case IDM_CALENDAR:
      anniversaryStore.RefreshYear();  // the year may have turned since start-up
      RunDialog(window, 104, CalendarDlgProc);
      break;
    case IDM_EXIT:
      SaveDisplayOptions(window);
      ExitApplication();
      break;
    case IDM_LOAD_SKIN:
      busy = true;
      ShowWindow(window, SW_HIDE);
      if (ChooseSkinFile(window)) ApplySkin(window, chosenPath);
      ShowWindow(window, SW_SHOW);
      busy = false;
      break;
    case IDM_HELP:
      ShowHelp(window);
      break;
    case IDM_MESSAGE:
      OpenSkinDocument(window);
      break;
    default:
      if (command >= IDM_EFFECT_NORMAL && command <= IDM_EFFECT_EMBOSS) {
        clockState.settings.effect = command - IDM_EFFECT_NORMAL;
        Present(window, false);  // the picture itself is unchanged
      }
      break;
  }
}

void SendCommand(HWND window, WORD command) {
  SendMessageW(window, WM_COMMAND, command, 0);
}

void OnKeyDown(HWND window, WPARAM key) {
  switch (key) {
    case VK_ESCAPE: PostMessageW(window, WM_CLOSE, 0, 0); break;
    case VK_F1: SendCommand(window, IDM_HELP); break;
    case VK_F2: SendCommand(window, IDM_WORK_INTRODUCTION); break;
    case VK_F3:
      if (clockState.settings.hasDocument) SendCommand(window, IDM_MESSAGE);
      break;
    case VK_F4: SendCommand(window, IDM_ALARM); break;
    case VK_F5: SendCommand(window, IDM_CALENDAR); break;
    case VK_F11: SendCommand(window, IDM_VERSION_INFO); break;
    case VK_F12: SendCommand(window, IDM_LOAD_SKIN); break;
    default: break;
  }
}

void KeepWindowOnScreen(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const POINT p = KeepInWorkArea(rect.left, rect.top, rect.right, rect.bottom);
  MoveWindow(window, p.x, p.y, clockState.frame.width, clockState.frame.height, TRUE);
}

}  // namespace

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Explorer announces a restart with this registered message; the icon must
  // be added again.
  static const UINT taskbarCreated = TaskbarCreatedMessage();

  switch (message) {
    case WM_CREATE:
      mainWindow = window;  // the tray code may need it before CreateWindowEx returns
      AddTrayIcon(window);
      ApplyTopmost(window);
      UpdateWindow(window);
      break;
    case WM_DESTROY:
      SaveDisplayOptions(window);
      ExitApplication();
      break;
    case WM_ENDSESSION:
      // Windows may end the process without WM_DESTROY: save what Esc would.
      if (wParam != FALSE) {
        SaveDisplayOptions(window);
        SaveAlarmList();
      }
      break;
    case WM_PAINT:
      Present(window, true);
      break;
    case WM_DISPLAYCHANGE:
      KeepWindowOnScreen(window);
      break;
    case WM_KEYDOWN:
      OnKeyDown(window, wParam);
      break;
    case WM_COMMAND:
      OnCommand(window, LOWORD(wParam));
      break;
    case WM_TIMER:
      if (clockState.IsRedrawDue()) {
        clockState.ComposeFrame();
        Present(window, false);
      }
      CheckAlarms();
      break;
    case WM_LBUTTONDOWN: {
      // Dragging anywhere on the clock moves it. Screen coordinates are signed.
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(window, &at);
      SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
      break;
    }
    case WM_RBUTTONUP:
      ShowMenuAtCursor(window);
      break;
    case WM_DROPFILES:
      if (TakeDroppedFile(reinterpret_cast<HDROP>(wParam)) != 1) {
        platform::ShowMessage(window, kOneFileText, kCaption, platform::MessageKind::Error);
        return 0;
      }
      return ApplySkin(window, droppedPath);
    case kTrayNotifyMessage:
      if (lParam == WM_LBUTTONUP || lParam == WM_RBUTTONUP) {
        ForceForeground(window);
        if (busy) {
          MessageBeep(0);
        } else {
          ShowMenuAtCursor(window);
        }
      }
      break;
    default:
      if (taskbarCreated != 0 && message == taskbarCreated) AddTrayIcon(window);
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
