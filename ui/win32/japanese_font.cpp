#include "ui/win32/japanese_font.h"

#include "platform/win32/handles.h"

namespace {

constexpr int kTemplatePoints = 9;

struct Search {
  const wchar_t* wanted;  // nullptr: any face
  std::wstring found;
};

int CALLBACK NoteFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
  Search& search = *reinterpret_cast<Search*>(data);
  // '@' faces are the same faces turned for vertical writing.
  if (font->lfFaceName[0] == L'@') return 1;
  if (search.wanted != nullptr && lstrcmpiW(font->lfFaceName, search.wanted) != 0) return 1;
  // Any face will do, a proportional one best (as the template's face is).
  const bool proportional = (font->lfPitchAndFamily & 0x3) == VARIABLE_PITCH;
  if (search.wanted == nullptr && !proportional) {
    if (search.found.empty()) search.found = font->lfFaceName;
    return 1;
  }
  search.found = font->lfFaceName;
  return 0;
}

// The first face offered for SHIFTJIS_CHARSET, `wanted` only when given.
std::wstring FindJapaneseFace(const wchar_t* wanted) {
  Search search{wanted, std::wstring()};
  LOGFONTW pattern{};
  pattern.lfCharSet = SHIFTJIS_CHARSET;
  if (wanted != nullptr) lstrcpynW(pattern.lfFaceName, wanted, LF_FACESIZE);
  win32::WindowDC dc(nullptr);
  if (!dc) return std::wstring();
  EnumFontFamiliesExW(dc.Get(), &pattern, NoteFace, reinterpret_cast<LPARAM>(&search), 0);
  return search.found;
}

std::wstring ChooseFace() {
  for (const wchar_t* face : {kTemplateFace, L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic"}) {
    if (HasJapaneseFace(face)) return face;
  }
  const std::wstring any = FindJapaneseFace(nullptr);
  return any.empty() ? std::wstring(kTemplateFace) : any;
}

HFONT ControlFont() {
  static const win32::Font font = [] {
    win32::WindowDC dc(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 96;
    LOGFONTW record{};
    record.lfHeight = -MulDiv(kTemplatePoints, dpi, 72);
    record.lfWeight = FW_NORMAL;
    record.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynW(record.lfFaceName, JapaneseFace().c_str(), LF_FACESIZE);
    return win32::Font(CreateFontIndirectW(&record));
  }();
  return font.Get();
}

BOOL CALLBACK SetControlFont(HWND control, LPARAM font) {
  SendMessageW(control, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
  return TRUE;
}

}  // namespace

bool HasJapaneseFace(const wchar_t* face) { return !FindJapaneseFace(face).empty(); }

const std::wstring& JapaneseFace() {
  static const std::wstring face = ChooseFace();
  return face;
}

void UseJapaneseFont(HWND dialog) {
  if (JapaneseFace() == kTemplateFace) return;  // the template's own font is right
  const HFONT font = ControlFont();
  if (font == nullptr) return;
  SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  EnumChildWindows(dialog, SetControlFont, reinterpret_cast<LPARAM>(font));
}
