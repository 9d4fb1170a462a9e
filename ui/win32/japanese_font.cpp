#include "ui/win32/japanese_font.h"

#include "platform/win32/handles.h"

namespace {

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

// Offset just past a sz_Or_Ord or a string at `at`; 0 when it runs off the end.
std::size_t SkipNameOrOrdinal(const BYTE* data, std::size_t size, std::size_t at) {
  auto word = [&](std::size_t i) { return static_cast<WORD>(data[i] | (data[i + 1] << 8)); };
  if (at + 2 > size) return 0;
  if (word(at) == 0x0000) return at + 2;
  if (word(at) == 0xFFFF) return at + 4 <= size ? at + 4 : 0;
  for (; at + 2 <= size; at += 2) {
    if (word(at) == 0) return at + 2;
  }
  return 0;
}

std::size_t AlignedToDword(std::size_t at) { return (at + 3) & ~static_cast<std::size_t>(3); }

std::vector<BYTE> DialogTemplate(HINSTANCE instance, int id, bool& patched) {
  patched = false;
  if (JapaneseFace() == kTemplateFace) return {};
  const HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));  // RT_DIALOG
  if (found == nullptr) return {};
  const HGLOBAL loaded = LoadResource(instance, found);
  const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  if (data == nullptr) return {};
  std::vector<BYTE> copy = TemplateWithFace(data, SizeofResource(instance, found), JapaneseFace());
  patched = !copy.empty();
  return copy;
}

}  // namespace

bool HasJapaneseFace(const wchar_t* face) { return !FindJapaneseFace(face).empty(); }

const std::wstring& JapaneseFace() {
  static const std::wstring face = ChooseFace();
  return face;
}

std::vector<BYTE> TemplateWithFace(const BYTE* data, std::size_t size, const std::wstring& face) {
  auto dword = [&](std::size_t i) {
    return static_cast<DWORD>(data[i] | (data[i + 1] << 8) | (data[i + 2] << 16) |
                              (static_cast<DWORD>(data[i + 3]) << 24));
  };
  if (data == nullptr || size < 26) return {};
  const bool extended = data[2] == 0xFF && data[3] == 0xFF;
  const DWORD style = extended ? dword(12) : dword(0);
  if ((style & DS_SETFONT) == 0) return {};
  std::size_t at = extended ? 26 : 18;
  for (int name = 0; name < 3 && at != 0; ++name) at = SkipNameOrOrdinal(data, size, at);  // menu, class, title
  if (at == 0) return {};
  const std::size_t faceAt = at + (extended ? 6 : 2);  // point size (, weight, italic, charset)
  const std::size_t faceEnd = SkipNameOrOrdinal(data, size, faceAt);
  if (faceEnd == 0 || faceAt + 2 > size) return {};
  const std::size_t itemsAt = AlignedToDword(faceEnd);

  std::vector<BYTE> out(data, data + faceAt);
  for (const wchar_t c : face) {
    out.push_back(static_cast<BYTE>(c & 0xFF));
    out.push_back(static_cast<BYTE>(c >> 8));
  }
  out.push_back(0);
  out.push_back(0);
  out.resize(AlignedToDword(out.size()), 0);  // items start on a DWORD, as before
  if (itemsAt < size) out.insert(out.end(), data + itemsAt, data + size);
  return out;
}

INT_PTR JapaneseDialogBox(HINSTANCE instance, int id, HWND owner, DLGPROC procedure,
                          LPARAM parameter) {
  bool patched = false;
  const std::vector<BYTE> copy = DialogTemplate(instance, id, patched);
  if (!patched) return DialogBoxParamW(instance, MAKEINTRESOURCEW(id), owner, procedure, parameter);
  return DialogBoxIndirectParamW(instance, reinterpret_cast<LPCDLGTEMPLATEW>(copy.data()), owner,
                                 procedure, parameter);
}

HWND CreateJapaneseDialog(HINSTANCE instance, int id, HWND owner, DLGPROC procedure,
                          LPARAM parameter) {
  bool patched = false;
  const std::vector<BYTE> copy = DialogTemplate(instance, id, patched);
  if (!patched) return CreateDialogParamW(instance, MAKEINTRESOURCEW(id), owner, procedure, parameter);
  // The template is read while the dialog is made; the copy may go after.
  return CreateDialogIndirectParamW(instance, reinterpret_cast<LPCDLGTEMPLATEW>(copy.data()),
                                    owner, procedure, parameter);
}
