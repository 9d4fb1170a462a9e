// The face every dialog shows its Japanese texts in. The dialogs ask for
// "ＭＳ Ｐゴシック"; where that face is missing, an installed face with Japanese
// glyphs takes its place, so that no text turns into rows of empty boxes.
#pragma once
#include <windows.h>

#include <string>

// The face named in the dialog templates and the painted texts.
constexpr wchar_t kTemplateFace[] = L"ＭＳ Ｐゴシック";

// True when `face` is installed and offered for SHIFTJIS_CHARSET.
bool HasJapaneseFace(const wchar_t* face);

// kTemplateFace when installed; else "Yu Gothic UI", "Meiryo UI", "MS UI
// Gothic", else any face offered for SHIFTJIS_CHARSET; else kTemplateFace.
// Chosen on the first call (at start-up) and kept for the whole run.
const std::wstring& JapaneseFace();

// From a dialog's WM_INITDIALOG: when the template's face is missing, its
// controls get the chosen face at the template's size (9 points). The font is
// made once and shared by every dialog of the run.
void UseJapaneseFont(HWND dialog);
