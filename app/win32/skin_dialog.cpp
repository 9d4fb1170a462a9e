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

void SetSkinDialogFolder(const std::string& utf8Folder) { DialogFolder() = utf8Folder; }

bool ChooseSkinFile(HWND owner, std::string& chosen) {
  OpenFileRequest request;
  request.owner = owner;
  request.filter = FilterList({"ほらるね対応ファイル", "*.HRL;*.INI", "ほらるねファイル(*.HRL)",
                               "*.HRL", "旧ほらるねファイル(*.INI)", "*.INI",
                               "すべてのファイル(*.*)", "*.*"});
  request.filterIndex = 2;
  request.folder = platform::WideFromUtf8(DialogFolder());
  request.title = platform::WideFromCp932(kChooseTitle);

  // The skin's path is kept only in memory, as UTF-8, so any folder will do.
  std::wstring file;
  while (ShowOpenFileDialog(request, file)) {
    const std::string path = platform::Utf8FromWide(file);
    if (platform::PathFits(path.c_str()) && IsSkinFile(path.c_str())) {
      chosen = path;
      return true;
    }
    if (platform::ShowMessage(owner, kChosenNotSkinText, platform::kCaption,
                              platform::MessageKind::Warning,
                              platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes) {
      break;
    }
  }
  return false;
}
