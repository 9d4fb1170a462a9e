// A sound shows only the menu bar with "Close"; a video shows its picture.
#include "alarm/win32/playback_window.h"

#include <mmsystem.h>
#include <vfw.h>

#include <string>
#include <vector>

#include "alarm/voice_choice.h"
#include "alarm/win32/alarm_objects.h"
#include "platform/files.h"
#include "platform/text.h"
#include "render/clock_state.h"
#include "resources/resource_ids.h"
#include "ui/win32/display_scale.h"
#include "ui/win32/japanese_font.h"
#include "ui/win32/program_state.h"
#include "ui/win32/system_metrics.h"
#include "ui/win32/work_area.h"

namespace {

// The files to try for the front alarm, in turn: its own voice, then the
// skin's alarm sound.
std::vector<std::string> VoicesToTry() {
  const AlarmNotice* notice = alarmQueue.Front();
  if (notice == nullptr) return {};
  return AlarmVoiceCandidates(notice->voice, clockState.settings.alarmVoice, clockState.skinDirectory);
}

bool Play(HWND dialog, HWND media, const std::string& path) {
  if (!platform::FileReadable(path.c_str())) return false;
  const std::wstring widePath = platform::WideFromUtf8(path);
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

void SizeWindows(HWND dialog, HWND media, int stripWidth) {
  RECT r{};
  if (media) GetClientRect(media, &r);
  const bool soundOnly = r.bottom - r.top == 0;
  AdjustWindowRectEx(&r, WS_DLGFRAME, FALSE, WS_EX_CLIENTEDGE);
  r.bottom = r.bottom - MetricForWindow(dialog, SM_CXDLGFRAME) + MetricForWindow(dialog, SM_CYMENU);
  const UINT keep = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  if (soundOnly) {
    // A strip across the top of the notification: only the menu bar shows.
    if (media) SetWindowPos(media, nullptr, 0, 0, ScaleForWindow(dialog, 111), r.bottom - r.top, keep);
    SetWindowPos(dialog, nullptr, 0, 0, stripWidth,
                 MetricForWindow(dialog, SM_CYMENU) + 2 * MetricForWindow(dialog, SM_CYEDGE), keep);
  } else {
    GetClientRect(media, &r);
    SetWindowPos(media, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, keep);
    AdjustWindowRectEx(&r, WS_DLGFRAME, FALSE, WS_EX_CLIENTEDGE);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top + MetricForWindow(dialog, SM_CYMENU);
    SetWindowPos(dialog, nullptr, 0, 0, width, height, keep);
    RECT placed{};
    GetWindowRect(dialog, &placed);
    const POINT at = KeepInWorkArea(placed);
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  UpdateWindow(dialog);
}

void InitialisePlayback(HWND dialog, int stripWidth) {
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
  SizeWindows(dialog, media, stripWidth);
}

INT_PTR CALLBACK PlaybackDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitialisePlayback(dialog, static_cast<int>(lParam));
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDM_PLAYBACK_CLOSE) EndDialog(dialog, IDM_PLAYBACK_CLOSE);
      break;
    case MCIWNDM_NOTIFYMODE:
      if (lParam == MCI_MODE_STOP && PlaybackStarted(dialog)) EndDialog(dialog, 0);
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

void PlayAlarmVoice(HWND notification, int stripWidth) {
  JapaneseDialogBox(instance, IDD_PLAYBACK, notification, PlaybackDlgProc,
                  static_cast<LPARAM>(stripWidth));
}
