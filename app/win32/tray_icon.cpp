#include "app/win32/tray_icon.h"

#include <cwchar>

#include "platform/message_box.h"
#include "platform/text.h"
#include "platform/win32/handles.h"
#include "resources/resource_ids.h"
#include "ui/win32/program_state.h"

namespace {

constexpr UINT kTrayIconId = 1;

// The first form of the record: the shell takes that on every version, and
// its size constant is right for this build's word size.
NOTIFYICONDATAW trayIcon{};
// The tip last handed to the shell: the icon comes back with it when Explorer
// restarts, rather than with the start-up tip.
std::wstring currentTip;
bool hasTip = false;
bool shown = false;

// The notification area shows small icons at the system dpi (16 px at 100 %,
// 24 at 150 %, 32 at 200 %), as LoadIconMetric(LIM_SMALL) sizes them; the
// icon file holds each of those sizes, so none is stretched.
win32::Icon LoadSmallIcon() {
  const int width = GetSystemMetrics(SM_CXSMICON);
  const int height = GetSystemMetrics(SM_CYSMICON);
  return win32::Icon(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_HORALUNE),
                                                   IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
}

void SetTip(const std::wstring& tip) {
  std::wmemset(trayIcon.szTip, L'\0', 64);
  tip.copy(trayIcon.szTip, 63);
}

// Fills the record's common fields, hands it to the shell with the icon loaded
// for the call only (the shell keeps its own copy).
bool Notify(DWORD action, const std::wstring& tip) {
  trayIcon.cbSize = NOTIFYICONDATAW_V1_SIZE;
  trayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  trayIcon.uCallbackMessage = kTrayNotifyMessage;
  SetTip(tip);
  currentTip = tip;
  hasTip = true;
  const win32::Icon icon = LoadSmallIcon();
  trayIcon.hIcon = icon.Get();
  const bool done = Shell_NotifyIconW(action, &trayIcon) != FALSE;
  trayIcon.hIcon = nullptr;  // destroyed with `icon`
  return done;
}

}  // namespace

std::wstring TrayTip(const char* title) {
  std::wstring tip = platform::WideFromCp932(title ? title : "");
  if (tip.size() > 63) {
    std::size_t cut = 63;
    if (cut > 0 && tip[cut - 1] >= 0xD800 && tip[cut - 1] <= 0xDBFF) --cut;  // keep pairs whole
    tip.resize(cut);
  }
  return tip;
}

const NOTIFYICONDATAW& TrayIconRecord() { return trayIcon; }

bool AddTrayIcon(HWND window) {
  trayIcon.hWnd = window;
  trayIcon.uID = kTrayIconId;
  // An icon still there (Explorer did not really restart) refuses a second add.
  shown = Notify(NIM_ADD, hasTip ? currentTip : TrayTip(platform::kCaption)) || shown;
  return shown;
}

bool TrayIconShown() { return shown; }

bool UpdateTrayTip(const char* title) { return Notify(NIM_MODIFY, TrayTip(title)); }

bool DeleteTrayIcon() {
  trayIcon.cbSize = NOTIFYICONDATAW_V1_SIZE;
  shown = false;
  return Shell_NotifyIconW(NIM_DELETE, &trayIcon) != FALSE;
}

UINT TaskbarCreatedMessage() { return RegisterWindowMessageW(L"TaskbarCreated"); }

// The window must be foreground before TrackPopupMenu, or a menu opened from
// the notification area will not close when the user clicks elsewhere. Only
// the foreground thread may hand the foreground over, so borrow its input.
void ForceForeground(HWND window) {
  const DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  const DWORD ownThread = GetWindowThreadProcessId(window, nullptr);
  const bool attach = foregroundThread != 0 && foregroundThread != ownThread;
  if (attach) AttachThreadInput(ownThread, foregroundThread, TRUE);
  SetForegroundWindow(window);
  if (attach) AttachThreadInput(ownThread, foregroundThread, FALSE);
}
