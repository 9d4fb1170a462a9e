#include "app/win32/startup.h"

#include "alarm/win32/alarm_service.h"
#include "app/app_texts.h"
#include "app/command_line.h"
#include "app/config_file.h"
#include "app/win32/clock_window.h"
#include "app/win32/exit_application.h"
#include "app/win32/skin_dialog.h"
#include "app/win32/skin_switching.h"
#include "app/win32/tray_icon.h"
#include "platform/message_box.h"
#include "render/clock_state.h"
#include "render/win32/layered_window.h"
#include "render/win32/present_frame.h"
#include "ui/win32/japanese_font.h"
#include "ui/win32/program_state.h"
#include "ui/win32/work_area.h"

namespace {

// The skin to start with, in `chosen`; false when start-up must stop.
bool SettleStartupSkin(const std::string& commandLine, std::string& chosen) {
  StartupSkinChoice choice;
  if (!commandLine.empty()) {
    // The command line wins; this only settles the data directory (and shows
    // the ExeDat messages when DataDir is not relative).
    ResolveStartupSkin(1, clockState.programDirectory, choice);
    SetSkinDialogFolder(choice.dataDirectory);
    if (choice.exitRequested) ExitApplication();
    chosen = commandLine;
    return true;
  }
  const int result = ResolveStartupSkin(0, clockState.programDirectory, choice);
  SetSkinDialogFolder(choice.dataDirectory);
  if (choice.exitRequested) ExitApplication();
  if (result == -1) {
    if (ChooseSkinFile(mainWindow, chosen)) return true;
    platform::ShowMessage(mainWindow, kGivingUpText, platform::kCaption,
                          platform::MessageKind::Plain);
    ExitApplication();
    return false;
  }
  if (result != 1) return false;
  chosen = choice.chosenPath;
  return true;
}

}  // namespace

bool InitApplication(HINSTANCE instanceHandle, const std::string& givenLine, int showCommand) {
  busy = true;
  JapaneseFace();  // chosen once, before any dialog or painted text needs it
  // A path with a space arrives quoted (Explorer's drop on the program).
  const std::string commandLine = WithoutSurroundingQuotes(givenLine);
  instance = instanceHandle;
  if (!RegisterClockClass(instanceHandle)) return false;
  // WM_CREATE has set mainWindow already (the tray icon needs it).
  mainWindow = CreateClockWindow(instanceHandle);
  if (!CheckConfigFile(clockState.programDirectory)) return false;
  std::string chosen;
  if (!SettleStartupSkin(commandLine, chosen)) return false;

  SetSkinDirectory(clockState, chosen);
  clockState.skinPath = chosen;
  if (!FitWindowToBody(mainWindow, clockState.skinPath)) {
    platform::ShowMessage(mainWindow, !commandLine.empty() ? kBadArgumentText : kBadDataText,
                          platform::kCaption, platform::MessageKind::Error);
    return false;
  }
  clockState.softEdges = ShowsSoftEdges();  // before the first outline is made
  if (!LoadSkin(clockState, mainWindow)) return false;
  const WindowLook look = ReadWindowLook(clockState.programDirectory);
  windowOpacityPercent = look.opacityPercent;
  windowClickThrough = look.clickThrough;
  ApplyClockLook(mainWindow);

  const SkinSettings& s = clockState.settings;
  const int width = clockState.frame.width;
  const int height = clockState.frame.height;
  const POINT p = KeepInWorkArea(s.posX, s.posY, width, height);
  MoveWindow(mainWindow, p.x, p.y, width, height, TRUE);
  ShowWindow(mainWindow, showCommand);
  UpdateWindow(mainWindow);

  clockState.IsRedrawDue();
  clockState.ComposeFrame();
  PresentFrame(clockState, mainWindow, clockState.settings.effect, false);
  UpdateTrayTip(clockState.settings.title.c_str());
  ApplyTopmost(mainWindow);
  OwnsAlarms();  // the first clock started on a settings file owns its alarms
  busy = false;
  return true;
}
