// Choosing a skin file with the open-file dialog, sizing the window to a skin's
// body and switching skins while the clock runs.
#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <new>
#include <string>

#include "app/app_texts.h"
#include "app/clock_app.h"
#include "app/config_file.h"
#include "app/shell.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "skin/clock_state.h"
#include "skin/skin_budget.h"

namespace {

// The four filter pairs, each text and pattern ending in a zero, the whole list
// in a second zero.
std::wstring SkinFilter() {
  const char* parts[] = {"ほらるね対応ファイル",     "*.HRL;*.INI", "ほらるねファイル(*.HRL)",
                         "*.HRL",                    "旧ほらるねファイル(*.INI)", "*.INI",
                         "すべてのファイル(*.*)", "*.*"};
  std::wstring filter;
  for (const char* part : parts) {
    filter += platform::WideFromCp932(part);
    filter += L'\0';
  }
  filter += L'\0';
  return filter;
}

}  // namespace

void CopyPath(char (&target)[260], const std::string& path) {
  const std::string cut = platform::CutAtCharBoundary(path, sizeof target - 1);
  std::memcpy(target, cut.c_str(), cut.size() + 1);
}

bool ChooseSkinFile(HWND owner) {
  wchar_t file[260] = L"";
  wchar_t fileTitle[260] = L"";
  const std::wstring filter = SkinFilter();
  const std::wstring initialDirectory = platform::WideFromCp932(dataDirectory);
  const std::wstring title = platform::WideFromCp932(kChooseTitle);

  OPENFILENAMEW record{};
  record.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  record.hwndOwner = owner;
  record.lpstrFilter = filter.c_str();
  record.nFilterIndex = 2;
  record.lpstrFile = file;
  record.nMaxFile = 259;
  record.lpstrFileTitle = fileTitle;
  record.nMaxFileTitle = 259;
  record.lpstrInitialDir = initialDirectory.c_str();
  record.lpstrTitle = title.c_str();
  record.Flags = OFN_FILEMUSTEXIST;

  // The rejected path stays in `file`, so the dialog offers it again.
  bool chosen = GetOpenFileNameW(&record) != FALSE;
  while (chosen) {
    const std::string path = platform::Cp932FromWide(file);
    if (path.size() < sizeof chosenPath && IsSkinFile(path.c_str())) {
      CopyPath(chosenPath, path);
      return true;
    }
    if (platform::ShowMessage(mainWindow, kChosenNotSkinText, kCaption,
                              platform::MessageKind::Warning,
                              platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes) {
      break;
    }
    chosen = GetOpenFileNameW(&record) != FALSE;
  }

  if (startingUp) {
    platform::ShowMessage(mainWindow, kGivingUpText, kCaption, platform::MessageKind::Plain);
    ExitApplication();
  }
  return false;
}

bool FitWindowToBody(const std::string& skinPath) {
  // The size comes from the body's headers, checked as the loader checks
  // them: a picture too large to use is refused before anything is decoded.
  BmpProbe body;
  try {
    const std::string graph =
        platform::ReadProfileString("Body", "Graph", "non", skinPath.c_str(), 260);
    // The skin directory, not the directory of skinPath: the caller has set it.
    const std::string bodyPath = platform::CutAtCharBoundary(clockState.skinDirectory + graph, 259);
    if (!ProbeBmpFile(bodyPath.c_str(), body)) return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!SkinBudget().Add(PlaneBytes(body.width, body.height, PictureForm::Plain) * 2)) return false;
  RECT rect{};
  GetWindowRect(mainWindow, &rect);
  MoveWindow(mainWindow, rect.left, rect.top, body.width, body.height, TRUE);
  return true;
}

bool SaveDisplayOptions(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return SaveDisplayOptions(clockState.skinPath, clockState.settings, rect.left, rect.top);
}

void StartClockTimer(HWND window) {
  SetTimer(window, 1, static_cast<UINT>(clockState.settings.interval), nullptr);
}

void ApplyTopmost(HWND window) {
  SetWindowPos(window, clockState.settings.topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE);
}

int ApplySkin(HWND window, const char* newPath) {
  SaveDisplayOptions(window);
  const std::string previousPath = clockState.skinPath;
  RECT previousRect{};
  GetWindowRect(window, &previousRect);

  clockState.skinPath = newPath;
  SetSkinDirectory(clockState, clockState.skinPath);
  if (!FitWindowToBody(clockState.skinPath)) {
    platform::ShowMessage(window, kUnrecognisedText, kCaption, platform::MessageKind::Error);
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

  const SkinSettings& s = clockState.settings;
  const POINT p = KeepInWorkArea(s.posX, s.posY, s.posX + clockState.frame.width,
                                 s.posY + clockState.frame.height);
  MoveWindow(window, p.x, p.y, clockState.frame.width, clockState.frame.height, TRUE);
  clockState.ComposeFrame();
  PresentFrame(clockState, window, clockState.settings.effect, false);
  StartClockTimer(window);
  ApplyTopmost(window);
  UpdateTrayTip(clockState.settings.title.c_str());
  return 0;
}
