// The open-file dialog as the program uses it: one existing file, chosen from
// a folder, under a title, through a list of filters.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>

struct OpenFileRequest {
  HWND owner = nullptr;
  std::wstring filter;  // text and pattern pairs, each ending in L'\0'; the list in a second
  DWORD filterIndex = 1;
  std::wstring folder;
  std::wstring title;
};

// Builds a filter list from text and pattern pairs in code page 932.
std::wstring FilterList(std::initializer_list<const char*> textsAndPatterns);

// Runs the dialog. `file` is offered on entry (a rejected choice is offered
// again) and holds the chosen path when the result is true.
bool ShowOpenFileDialog(const OpenFileRequest& request, std::wstring& file);
