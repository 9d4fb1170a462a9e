// The face every dialog shows its Japanese texts in. The dialogs ask for
// "ＭＳ Ｐゴシック"; where that face is missing, an installed face with Japanese
// glyphs takes its place, so that no text turns into rows of empty boxes.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

// The face named in the dialog templates and the painted texts.
constexpr wchar_t kTemplateFace[] = L"ＭＳ Ｐゴシック";

// True when `face` is installed and offered for SHIFTJIS_CHARSET.
bool HasJapaneseFace(const wchar_t* face);

// kTemplateFace when installed; else "Yu Gothic UI", "Meiryo UI", "MS UI
// Gothic", else any face offered for SHIFTJIS_CHARSET; else kTemplateFace.
// Chosen on the first call (at start-up) and kept for the whole run.
const std::wstring& JapaneseFace();

// A dialog template (DLGTEMPLATE or DLGTEMPLATEEX bytes) with `face` in place
// of its font's face; empty when the template names no font or is malformed.
// The size, weight and every control stay as they are.
std::vector<BYTE> TemplateWithFace(const BYTE* data, std::size_t size, const std::wstring& face);

// DialogBoxParamW and CreateDialogParamW for our templates: where the
// template's face is missing the dialog is made from a copy naming the chosen
// face, so that its dialog units, and so every control's place and size, come
// from the font the texts are drawn with.
INT_PTR JapaneseDialogBox(HINSTANCE instance, int id, HWND owner, DLGPROC procedure,
                          LPARAM parameter);
HWND CreateJapaneseDialog(HINSTANCE instance, int id, HWND owner, DLGPROC procedure,
                          LPARAM parameter);
