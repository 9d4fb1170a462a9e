#include "ui/win32/file_dialog.h"

#include <commdlg.h>

#include "platform/text.h"

std::wstring FilterList(std::initializer_list<const char*> textsAndPatterns) {
  std::wstring filter;
  for (const char* part : textsAndPatterns) {
    filter += platform::WideFromCp932(part);
    filter += L'\0';
  }
  filter += L'\0';
  return filter;
}

bool ShowOpenFileDialog(const OpenFileRequest& request, std::wstring& file) {
  wchar_t buffer[260] = L"";
  file.copy(buffer, 259);
  OPENFILENAMEW record{};
  record.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  record.hwndOwner = request.owner;
  record.lpstrFilter = request.filter.c_str();
  record.nFilterIndex = request.filterIndex;
  record.lpstrFile = buffer;
  record.nMaxFile = 259;
  record.lpstrInitialDir = request.folder.c_str();
  record.lpstrTitle = request.title.c_str();
  record.Flags = OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameW(&record)) return false;
  file = buffer;
  return true;
}
