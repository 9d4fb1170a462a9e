// The playback window: a modal window owned by a notification that plays the
// alarm's voice (or, failing that, the skin's alarm sound) in a media window and ends when the
// playback stops. A sound shows only the menu bar with "Close"; a video shows
// its picture.
#include <windows.h>

#include <mmsystem.h>
#include <vfw.h>

#include <string>
#include <vector>

#include "alarm/alarm_shell.h"
#include "alarm/voice_choice.h"
#include "app/clock_app.h"
#include "app/shell.h"
#include "platform/files.h"
#include "platform/text.h"
#include "skin/clock_state.h"

namespace {

// The files to try for the front alarm, in turn.
std::vector<std::string> VoicesToTry() {
  return AlarmVoiceCandidates(alarmList.Voice(alarmQueue.Front()), clockState.settings.alarmVoice,
                              clockState.skinDirectory);
}

bool Play(HWND dialog, HWND media, const std::string& path) {
  if (!platform::FileReadable(path.c_str())) return false;
  const std::wstring widePath = platform::WideFromCp932(path);
  if (MCIWndOpen(media, widePath.c_str(), 0) != 0) return false;
  // A freshly opened file reports "stopped" too; only a stop after the start
  // of playback ends the window.
  SetWindowLongPtrW(dialog, DWLP_USER, 1);
  if (MCIWndPlay(media) == 0) return true;
  SetWindowLongPtrW(dialog, DWLP_USER, 0);
  MCIWndClose(media);
  return false;
}

// Opens and starts the first file that plays; false when none does, so that
// the notification is never held up.
bool StartPlayback(HWND dialog, HWND media) {
  if (media == nullptr) return false;
  for (const std::string& path : VoicesToTry()) {
    if (Play(dialog, media, path)) return true;
  }
  return false;
}

bool PlaybackStarted(HWND dialog) { return GetWindowLongPtrW(dialog, DWLP_USER) != 0; }

void SizeWindows(HWND dialog, HWND media) {
  RECT r{};
  if (media) GetClientRect(media, &r);
  const bool soundOnly = r.bottom - r.top == 0;
  AdjustWindowRectEx(&r, WS_DLGFRAME, FALSE, WS_EX_CLIENTEDGE);
  r.bottom = r.bottom - GetSystemMetrics(SM_CXDLGFRAME) + GetSystemMetrics(SM_CYMENU);
  const UINT keep = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  if (soundOnly) {
    // A strip across the top of the notification: only the menu bar shows.
    if (media) SetWindowPos(media, nullptr, 0, 0, 111, r.bottom - r.top, keep);
    SetWindowPos(dialog, nullptr, 0, 0, notificationClientWidth,
                 GetSystemMetrics(SM_CYMENU) + 2 * GetSystemMetrics(SM_CYEDGE), keep);
  } else {
    GetClientRect(media, &r);
    SetWindowPos(media, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, keep);
    AdjustWindowRectEx(&r, WS_DLGFRAME, FALSE, WS_EX_CLIENTEDGE);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top + GetSystemMetrics(SM_CYMENU);
    SetWindowPos(dialog, nullptr, 0, 0, width, height, keep);
    RECT placed{};
    GetWindowRect(dialog, &placed);
    const POINT at = KeepInWorkArea(placed.left, placed.top, placed.right, placed.bottom);
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  UpdateWindow(dialog);
}

void InitialisePlayback(HWND dialog) {
  // Without the error box of the media window: a file that cannot be played
  // must not stop the notification with a box of its own.
  const DWORD style = WS_CHILD | WS_VISIBLE | MCIWNDF_NOOPEN | MCIWNDF_NOTIFYSIZE |
                      MCIWNDF_NOTIFYPOS | MCIWNDF_NOTIFYMODE | MCIWNDF_NOMENU |
                      MCIWNDF_NOPLAYBAR | MCIWNDF_NOERRORDLG;
  HWND media = MCIWndCreateW(dialog, instance, style, nullptr);
  const bool playing = StartPlayback(dialog, media);
  if (!playing) {
    MessageBeep(MB_ICONASTERISK);
    EndDialog(dialog, 0);
  }
  SizeWindows(dialog, media);
}

}  // namespace

INT_PTR CALLBACK PlaybackDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitialisePlayback(dialog);
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == alarm_ids::kPlaybackClose) EndDialog(dialog, alarm_ids::kPlaybackClose);
      break;
    case MCIWNDM_NOTIFYMODE:
      if (lParam == MCI_MODE_STOP && PlaybackStarted(dialog)) EndDialog(dialog, 0);
      break;
    default:
      break;
  }
  return FALSE;
}
