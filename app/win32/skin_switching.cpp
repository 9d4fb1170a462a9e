#include "app/win32/skin_switching.h"

#include <new>

#include "app/app_texts.h"
#include "app/config_file.h"
#include "app/win32/tray_icon.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "platform/win32/handles.h"
#include "render/clock_state.h"
#include "render/win32/present_frame.h"
#include "resources/resource_ids.h"
#include "skin/skin_budget.h"
#include "skin/skin_text.h"
#include "skin/win32/window_region.h"
#include "ui/win32/display_scale.h"
#include "ui/win32/program_state.h"
#include "ui/win32/work_area.h"

namespace {

void MoveToSkinPosition(HWND window) {
  const SkinSettings& s = clockState.settings;
  const POINT p = KeepInWorkArea(s.posX, s.posY, clockState.frame.width, clockState.frame.height);
  MoveWindow(window, p.x, p.y, clockState.frame.width, clockState.frame.height, TRUE);
}

}  // namespace

bool FitWindowToBody(HWND window, const std::string& skinPath) {
  // The size comes from the body's headers, checked as the loader checks
  // them: a picture too large to use is refused before anything is decoded.
  PictureProbe body;
  std::uint64_t fileBytes = 0;
  try {
    const std::string graph =
        platform::ReadProfileString("Body", "Graph", "non", skinPath.c_str(), 260);
    // The skin directory, not the directory of skinPath: the caller has set it.
    const std::string bodyPath = skin::SkinFilePath(clockState.skinDirectory, graph);
    if (!ProbePictureFile(bodyPath.c_str(), body, fileBytes)) return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!SkinBudget().Add(PlaneBytes(body.width, body.height, PictureForm::Plain) * 2)) return false;
  RECT rect{};
  GetWindowRect(window, &rect);
  // The load may settle on a smaller scale (memory bounds); it sizes the window again.
  const int dpi = WindowDpi(window);
  MoveWindow(window, rect.left, rect.top, ScaleByDpi(body.width, dpi), ScaleByDpi(body.height, dpi),
             TRUE);
  return true;
}

bool LoadSkin(ClockState& clock, HWND window) {
  WindowShape shape;
  clock.displayDpi = WindowDpi(window);  // the skin is drawn at its monitor's scale
  if (!clock.LoadSkinData(shape)) return false;
  if (!SetWindowShape(window, shape)) {
    // The window got its full rectangle: the outline that hit tests and the
    // introduction picture read must say so too.
    clock.UseFullWindowOutline();
  }
  return true;
}

bool SaveDisplayOptions(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return SaveDisplayOptions(clockState.skinPath, clockState.settings, rect.left, rect.top);
}

int ApplySkin(HWND window, const std::string& newPath) {
  SaveDisplayOptions(window);
  const std::string previousPath = clockState.skinPath;
  RECT previousRect{};
  GetWindowRect(window, &previousRect);

  clockState.skinPath = newPath;
  SetSkinDirectory(clockState, clockState.skinPath);
  if (!FitWindowToBody(window, clockState.skinPath)) {
    platform::ShowMessage(window, kUnrecognisedText, platform::kCaption,
                          platform::MessageKind::Error);
    clockState.skinPath = previousPath;
    SetSkinDirectory(clockState, clockState.skinPath);
    return 0;
  }
  if (!LoadSkin(clockState, window)) {
    // The loader keeps the previous settings, pictures and shape; put the path,
    // directory and size back too, so the clock goes on exactly as it was and
    // its display options never land in the file that failed.
    clockState.skinPath = previousPath;
    SetSkinDirectory(clockState, clockState.skinPath);
    MoveWindow(window, previousRect.left, previousRect.top, previousRect.right - previousRect.left,
               previousRect.bottom - previousRect.top, TRUE);
    return 0;
  }

  MoveToSkinPosition(window);
  clockState.ComposeFrame();
  PresentFrame(clockState, window, clockState.settings.effect, false);
  StartClockTimer(window);
  ApplyTopmost(window);
  UpdateTrayTip(clockState.settings.title.c_str());
  return 0;
}

void StartClockTimer(HWND window) {
  SetTimer(window, kClockTimer, static_cast<UINT>(clockState.settings.interval), nullptr);
}

void ApplyTopmost(HWND window) {
  SetWindowPos(window, clockState.settings.topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE);
}
