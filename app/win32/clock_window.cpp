#include "app/win32/clock_window.h"

#include <shellapi.h>

#include <string>

#include "alarm/win32/alarm_dialog.h"
#include "alarm/win32/alarm_service.h"
#include "alarm/win32/wake_timer.h"
#include "app/app_texts.h"
#include "app/command_line.h"
#include "app/config_file.h"
#include "app/win32/dpi_change.h"
#include "app/win32/exit_application.h"
#include "app/win32/help.h"
#include "app/win32/info_dialogs.h"
#include "app/win32/popup_menu.h"
#include "app/win32/skin_dialog.h"
#include "app/win32/skin_switching.h"
#include "app/win32/tray_icon.h"
#include "calendar/win32/calendar_dialog.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "render/clock_state.h"
#include "render/win32/present_frame.h"
#include "resources/resource_ids.h"
#include "ui/win32/program_state.h"
#include "ui/win32/window_drag.h"
#include "ui/win32/window_look.h"
#include "ui/win32/work_area.h"
#include "ui/work_area.h"

namespace {

constexpr wchar_t kClassName[] = L"Horalune";

void Present(HWND window, bool fromPaintMessage) {
  PresentFrame(clockState, window, clockState.settings.effect, fromPaintMessage);
}

// The first dropped name; the number of names dropped. Releases the drop.
UINT TakeDroppedFile(HDROP drop, std::string& path) {
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  if (count >= 1) {
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    name.resize(DragQueryFileW(drop, 0, &name[0], length + 1));
    path = WithoutSurroundingQuotes(platform::Utf8FromWide(name));
  }
  DragFinish(drop);
  return count;
}

void ShowMenuAtCursor(HWND window) {
  POINT cursor{};
  GetCursorPos(&cursor);
  ShowPopupMenu(window, cursor.x, cursor.y);
}

// The new choice shows at once and is kept in Horalune.DAT; a save that fails
// leaves the file as it was and the choice for this run only.
void ChangeWindowLook(HWND window, int opacityPercent, bool clickThrough) {
  windowOpacityPercent = opacityPercent;
  windowClickThrough = clickThrough;
  ApplyClockLook(window);
  SaveWindowLook(clockState.programDirectory, WindowLook{opacityPercent, clickThrough});
}

void ToggleClickThrough(HWND window) {
  if (!windowClickThrough && !TrayIconShown() && !AddTrayIcon(window)) {
    MessageBeep(MB_ICONWARNING);  // no tray icon, no way back: stay clickable
    return;
  }
  ChangeWindowLook(window, windowOpacityPercent, !windowClickThrough);
}

// The choice is kept at once: it is the program's, not the skin's.
void ToggleWakeForAlarms(HWND window) {
  WakeTimer& timer = AlarmWakeTimer();
  timer.SetWake(!timer.Wake());
  if (!SaveWakeForAlarms(clockState.programDirectory, timer.Wake())) {
    platform::ShowMessage(window, kWakeNotSavedText, platform::kCaption,
                          platform::MessageKind::Warning);
  }
}

void OnCommand(HWND window, WORD command) {
  switch (command) {
    case kCommandAntialiasing:
      clockState.settings.antiAliasing = !clockState.settings.antiAliasing;
      clockState.ComposeFrame();
      Present(window, false);
      break;
    case kCommandAlarm:
      ShowAlarmDialog(window);
      break;
    case kCommandWorkIntroduction:
      ShowWorkIntroDialog(window);
      break;
    case kCommandTopmost:
      clockState.settings.topmost = !clockState.settings.topmost;
      ApplyTopmost(window);
      break;
    case kCommandVersionInfo:
      ShowVersionDialog(window);
      break;
    case kCommandCalendar:
      ShowCalendarDialog(window);
      break;
    case kCommandWakeForAlarms:
      ToggleWakeForAlarms(window);
      break;
    case kCommandExit:
      SaveDisplayOptions(window);
      ExitApplication();
      break;
    case kCommandLoadSkin: {
      busy = true;
      ShowWindow(window, SW_HIDE);
      std::string chosen;
      if (ChooseSkinFile(window, chosen)) ApplySkin(window, chosen);
      ShowWindow(window, SW_SHOW);
      busy = false;
      break;
    }
    case kCommandHelp:
      ShowHelp(window);
      break;
    case kCommandMessage:
      OpenSkinDocument(window);
      break;
    case kCommandClickThrough:
      ToggleClickThrough(window);
      break;
    default:
      if (command >= kCommandOpacity100 && command <= kCommandOpacity50) {
        ChangeWindowLook(window, kOpacityChoices[command - kCommandOpacity100], windowClickThrough);
      }
      if (command >= kCommandEffectNormal && command <= kCommandEffectEmboss) {
        clockState.settings.effect = command - kCommandEffectNormal;
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
    case VK_F1: SendCommand(window, kCommandHelp); break;
    case VK_F2: SendCommand(window, kCommandWorkIntroduction); break;
    case VK_F3:
      if (clockState.settings.hasDocument) SendCommand(window, kCommandMessage);
      break;
    case VK_F4: SendCommand(window, kCommandAlarm); break;
    case VK_F5: SendCommand(window, kCommandCalendar); break;
    case VK_F11: SendCommand(window, kCommandVersionInfo); break;
    case VK_F12: SendCommand(window, kCommandLoadSkin); break;
    default: break;
  }
}

void KeepWindowOnScreen(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const POINT p = KeepInWorkArea(rect);
  MoveWindow(window, p.x, p.y, clockState.frame.width, clockState.frame.height, TRUE);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Explorer announces a restart with this registered message; the icon must
  // be added again.
  static const UINT taskbarCreated = TaskbarCreatedMessage();

  switch (message) {
    case WM_CREATE:
      mainWindow = window;  // the tray code may need it before CreateWindowEx returns
      AlarmWakeTimer().SetWake(ReadWakeForAlarms(clockState.programDirectory));
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
        SaveAlarmList(true);
      }
      break;
    case WM_PAINT:
      Present(window, true);
      break;
    case WM_POWERBROADCAST:
      // Back from sleep (the wake timer's wake too): what fell due meanwhile
      // shows now, not at the next tick, and the check re-arms the timer.
      if (wParam == PBT_APMRESUMEAUTOMATIC) CheckAlarms();
      break;
    case WM_TIMECHANGE:
    case WM_SETTINGCHANGE:
      // A clock or time-zone change: each reading takes the zone afresh, so
      // the check sees the new time at once and re-arms the wake timer.
      ClockOrZoneChanged();
      break;
    case WM_DISPLAYCHANGE:
      KeepWindowOnScreen(window);
      break;
    case WM_DPICHANGED:
      ApplyWindowDpi(clockState, window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
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
    case WM_LBUTTONDOWN:
      DragWindow(window);  // dragging anywhere on the clock moves it
      break;
    case WM_RBUTTONUP:
      ShowMenuAtCursor(window);
      break;
    case WM_DROPFILES: {
      std::string dropped;
      if (TakeDroppedFile(reinterpret_cast<HDROP>(wParam), dropped) != 1) {
        platform::ShowMessage(window, kOneFileText, platform::kCaption, platform::MessageKind::Error);
        return 0;
      }
      return ApplySkin(window, dropped);
    }
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
      if (taskbarCreated != 0 && message == taskbarCreated) {
        AddTrayIcon(window);
        ApplyClockLook(window);  // click-through held back for want of the icon
      }
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void ApplyClockLook(HWND window) {
  clockState.windowOpacityPercent = windowOpacityPercent;  // the layered frame's own blend
  ApplyWindowLook(window, WindowLook{windowOpacityPercent, windowClickThrough && TrayIconShown()});
  if (FrameCarriesOpacity()) PresentFrame(clockState, window, clockState.settings.effect, false);
}

bool RegisterClockClass(HINSTANCE instanceHandle) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = 0;
  windowClass.lpfnWndProc = MainWndProc;
  windowClass.hInstance = instanceHandle;
  windowClass.hIcon = LoadIconW(instanceHandle, MAKEINTRESOURCEW(IDI_HORALUNE));
  windowClass.hIconSm = static_cast<HICON>(
      LoadImageW(instanceHandle, MAKEINTRESOURCEW(IDI_HORALUNE), IMAGE_ICON,
                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_DESKTOP + 1));
  windowClass.lpszClassName = kClassName;
  return RegisterClassExW(&windowClass) != 0;
}

HWND CreateClockWindow(HINSTANCE instanceHandle) {
  const ScreenPoint at = InitialWindowPosition(ReadDesktopWorkArea());
  // 0x0800 is the class-specific style bit the clock window has always carried.
  return CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES, kClassName, L"Horalune",
                         WS_POPUP | 0x0800, at.x, at.y, 1000, 1000, nullptr, nullptr,
                         instanceHandle, nullptr);
}
