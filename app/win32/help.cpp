#include "app/win32/help.h"

#include <shellapi.h>

#include <string>

#include "platform/files.h"
#include "platform/text.h"
#include "render/clock_state.h"
#include "ui/win32/program_state.h"

namespace {

std::string BesideProgram(const char* name) {
  return platform::JoinPath(clockState.programDirectory, name);
}

// The viewer exists where the system still ships it.
bool HelpViewerExists() {
  wchar_t folder[MAX_PATH] = L"";
  const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  const std::wstring viewer = std::wstring(folder) + L"\\winhlp32.exe";
  return GetFileAttributesW(viewer.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool UseHelpViewer() {
  return platform::FileExists(BesideProgram("HoraHelp.hlp").c_str()) && HelpViewerExists();
}

void OpenWithShell(const std::string& path) {
  ShellExecuteW(nullptr, L"open", platform::WideFromUtf8(path).c_str(), nullptr, nullptr,
                SW_SHOWNORMAL);
}

}  // namespace

void ShowHelp(HWND window) {
  if (UseHelpViewer()) {
    WinHelpW(window, platform::WideFromUtf8(BesideProgram("HoraHelp.hlp")).c_str(), HELP_FINDER, 9);
    return;
  }
  for (const char* name : {"Horalune-help.html", "help\\Horalune-help.html"}) {
    const std::string page = BesideProgram(name);
    if (platform::FileReadable(page.c_str())) {
      OpenWithShell(page);
      return;
    }
  }
  MessageBeep(0);  // no help at all beside the program
}

void CloseHelp(HWND window) {
  if (UseHelpViewer()) {
    WinHelpW(window, platform::WideFromUtf8(BesideProgram("HoraHelp.hlp")).c_str(), HELP_QUIT, 0);
  }
}

void OpenSkinDocument(HWND) {
  if (!clockState.settings.hasDocument) return;
  OpenWithShell(platform::JoinPath(clockState.skinDirectory, clockState.settings.documentFile));
}
