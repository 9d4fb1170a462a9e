// Choosing a skin file with the open-file dialog.
#pragma once
#include <windows.h>

#include <string>

// The folder the dialog opens in, settled at start-up from DataDir.
void SetSkinDialogFolder(const std::string& utf8Folder);

// Asks until the user picks a skin file or gives up; a file that is no skin is
// refused with a question whether to choose again. True with the path (UTF-8)
// in `chosen`; false when the user gave up.
bool ChooseSkinFile(HWND owner, std::string& chosen);
