#include "app/win32/skin_dialog.h"

#include "app/app_texts.h"
#include "app/config_file.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "ui/win32/file_dialog.h"

namespace {

std::string& DialogFolder() {
  static std::string folder;
  return folder;
}

}  // namespace

void SetSkinDialogFolder(const std::string& folder) { DialogFolder() = folder; }

bool ChooseSkinFile(HWND owner, std::string& chosen) {
  OpenFileRequest request;
  request.owner = owner;
  request.filter = FilterList({"ほらるね対応ファイル", "*.HRL;*.INI", "ほらるねファイル(*.HRL)",
                               "*.HRL", "旧ほらるねファイル(*.INI)", "*.INI",
                               "すべてのファイル(*.*)", "*.*"});
  request.filterIndex = 2;
  request.folder = platform::WideFromCp932(DialogFolder());
  request.title = platform::WideFromCp932(kChooseTitle);

  std::wstring file;
  while (ShowOpenFileDialog(request, file)) {
    const bool holdable = platform::Cp932CanHold(file);
    const std::string path = platform::Cp932FromWide(file);
    if (holdable && platform::PathFits(path.c_str()) && IsSkinFile(path.c_str())) {
      chosen = path;
      return true;
    }
    if (platform::ShowMessage(owner, holdable ? kChosenNotSkinText : kUnusableNameText,
                              platform::kCaption,
                              platform::MessageKind::Warning,
                              platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes) {
      break;
    }
  }
  return false;
}
