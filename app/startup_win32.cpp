// Start-up of the clock: the window class, the hidden window, the start-up
// skin, the first frame; and the one way out, ExitApplication.
#include <windows.h>

#include <string>

#include "app/app_texts.h"
#include "app/clock_app.h"
#include "app/config_file.h"
#include "app/shell.h"
#include "app/work_area.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "skin/clock_state.h"

namespace {

constexpr wchar_t kClassName[] = L"Horalune";
constexpr int kIconResource = 101;

bool RegisterClockClass(HINSTANCE instanceHandle) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = 0;
  windowClass.lpfnWndProc = MainWndProc;
  windowClass.hInstance = instanceHandle;
  windowClass.hIcon = LoadIconW(instanceHandle, MAKEINTRESOURCEW(kIconResource));
  windowClass.hIconSm = static_cast<HICON>(
      LoadImageW(instanceHandle, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_DESKTOP + 1));
  windowClass.lpszClassName = kClassName;
  return RegisterClassExW(&windowClass) != 0;
}

void CreateClockWindow(HINSTANCE instanceHandle) {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  const ScreenPoint at = InitialWindowPosition({area.left, area.top, area.right, area.bottom});
  // 0x0800 is the class-specific style bit the clock window has always carried.
  mainWindow = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES, kClassName, L"Horalune",
                               WS_POPUP | 0x0800, at.x, at.y, 1000, 1000, nullptr, nullptr,
                               instanceHandle, nullptr);
}

// Settles chosenPath; false when start-up must stop.
bool SettleStartupSkin(const char* commandLine) {
  StartupSkinChoice choice;
  if (commandLine[0] != '\0') {
    // The command line wins; this only settles the data directory (and shows
    // the ExeDat messages when DataDir is not relative).
    ResolveStartupSkin(1, clockState.programDirectory, choice);
    dataDirectory = choice.dataDirectory;
    if (choice.exitRequested) ExitApplication();
    CopyPath(chosenPath, commandLine);
    return true;
  }
  const int result = ResolveStartupSkin(0, clockState.programDirectory, choice);
  dataDirectory = choice.dataDirectory;
  if (choice.exitRequested) ExitApplication();
  if (result == -1) return ChooseSkinFile(mainWindow);
  if (result != 1) return false;
  CopyPath(chosenPath, choice.chosenPath);
  return true;
}

}  // namespace

bool InitApplication(HINSTANCE instanceHandle, const char* commandLine, int showCommand) {
  busy = true;
  instance = instanceHandle;
  if (!RegisterClockClass(instanceHandle)) return false;
  CreateClockWindow(instanceHandle);
  startingUp = true;
  if (!CheckConfigFile(clockState.programDirectory)) return false;
  if (!SettleStartupSkin(commandLine)) return false;
  startingUp = false;

  SetSkinDirectory(clockState, chosenPath);
  clockState.skinPath = chosenPath;
  if (!FitWindowToBody(clockState.skinPath)) {
    platform::ShowMessage(mainWindow, commandLine[0] != '\0' ? kBadArgumentText : kBadDataText,
                          kCaption, platform::MessageKind::Error);
    return false;
  }
  if (!LoadSkin(clockState, mainWindow)) return false;

  const SkinSettings& s = clockState.settings;
  const int width = clockState.frame.width;
  const int height = clockState.frame.height;
  const POINT p = KeepInWorkArea(s.posX, s.posY, s.posX + width, s.posY + height);
  MoveWindow(mainWindow, p.x, p.y, width, height, TRUE);
  ShowWindow(mainWindow, showCommand);
  UpdateWindow(mainWindow);

  clockState.IsRedrawDue();
  clockState.ComposeFrame();
  PresentFrame(clockState, mainWindow, clockState.settings.effect, false);
  UpdateTrayTip(clockState.settings.title.c_str());
  ApplyTopmost(mainWindow);
  busy = false;
  return true;
}

bool ExitApplication() {
  // Every way out (Esc, the Exit command, giving up at start-up) comes here;
  // the alarm list is saved once even if two of them meet.
  static bool done = false;
  if (done) return true;
  done = true;
  CloseHelp(mainWindow);
  SaveAlarmList();
  DeleteTrayIcon();
  PostQuitMessage(0);
  return true;
}
