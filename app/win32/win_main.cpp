// Entry point of Horalune.exe.
#include <windows.h>

#include <string>

#include "app/win32/startup.h"
#include "app/win32/tray_icon.h"
#include "platform/text.h"
#include "resources/resource_ids.h"
#include "ui/win32/program_state.h"
#include "app/win32/skin_switching.h"

int WINAPI wWinMain(HINSTANCE instanceHandle, HINSTANCE, PWSTR commandLine, int showCommand) {
  // Everything after the program name, exactly as Windows hands it over
  // (quotation marks included): a path, kept as UTF-8 like every path.
  const std::string line = platform::Utf8FromWide(commandLine != nullptr ? commandLine : L"");
  if (!InitApplication(instanceHandle, line, showCommand)) {
    // The icon added when the window was created would linger until the
    // mouse passes over it.
    DeleteTrayIcon();
    return 0;
  }
  StartClockTimer(mainWindow);

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  KillTimer(mainWindow, kClockTimer);
  return static_cast<int>(message.wParam);
}
