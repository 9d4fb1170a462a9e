// The face chosen for the dialogs draws Japanese, in the painted texts and in
// the controls, whether or not the templates' own face is installed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/text.h"
#include "platform/win32/handles.h"
#include "ui/win32/japanese_font.h"

namespace {

// Whether `font` has a glyph for every character of `text`.
bool DrawsAll(HFONT font, const std::wstring& text) {
  win32::WindowDC dc(nullptr);
  if (!dc || font == nullptr) return false;
  const HGDIOBJ old = SelectObject(dc.Get(), font);
  std::wstring glyphs(text.size(), L'\0');
  const DWORD done = GetGlyphIndicesW(dc.Get(), text.c_str(), static_cast<int>(text.size()),
                                      reinterpret_cast<WORD*>(&glyphs[0]),
                                      GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc.Get(), old);
  if (done != text.size()) return false;
  for (const wchar_t glyph : glyphs) {
    if (glyph == static_cast<wchar_t>(0xFFFF)) return false;
  }
  return true;
}

win32::Font FontOf(const std::wstring& face, int height) {
  LOGFONTW record{};
  record.lfHeight = height;
  record.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpynW(record.lfFaceName, face.c_str(), LF_FACESIZE);
  return win32::Font(CreateFontIndirectW(&record));
}

constexpr int kEditId = 100;

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A 9-point dialog with one edit control, as windres writes DIALOG (false) or
// DIALOGEX (true); the item after the face starts on a DWORD.
std::vector<BYTE> EditDialogTemplate(bool extended, const wchar_t* face) {
  std::vector<BYTE> out;
  auto word = [&](unsigned value) {
    out.push_back(static_cast<BYTE>(value & 0xFF));
    out.push_back(static_cast<BYTE>(value >> 8));
  };
  auto dword = [&](DWORD value) { word(value & 0xFFFF), word(value >> 16); };
  auto text = [&](const wchar_t* s) {
    for (; *s; ++s) word(*s);
    word(0);
  };
  auto align = [&] { out.resize((out.size() + 3) & ~std::size_t{3}, 0); };
  const DWORD style = DS_SETFONT | WS_POPUP;
  if (extended) {
    word(1), word(0xFFFF), dword(0), dword(0), dword(style);
  } else {
    dword(style), dword(0);
  }
  word(1), word(0), word(0), word(100), word(40);  // one item; x, y, cx, cy
  word(0), word(0), text(L"");                     // no menu, the dialog class, no title
  word(9);
  if (extended) word(FW_NORMAL), word(SHIFTJIS_CHARSET << 8);  // weight; italic, charset
  text(face);
  align();
  if (extended) {
    dword(0), dword(0), dword(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL);
  } else {
    dword(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL), dword(0);
  }
  word(5), word(5), word(80), word(14);
  if (extended) dword(kEditId); else word(kEditId);
  word(0xFFFF), word(0x0081), text(L"\x3042"), word(0);  // EDIT, "あ", no creation data
  return out;
}

const std::wstring kSample = L"\x3042\x6F22\x30FC";  // あ漢ー

}  // namespace

TEST(JapaneseFont, PaintedAndControlTextsHaveJapaneseGlyphs) {
  const std::wstring& face = JapaneseFace();
  ASSERT_FALSE(face.empty());
  EXPECT_EQ(&JapaneseFace(), &face);  // chosen once
  RecordProperty("face", platform::Utf8FromCp932(platform::Cp932FromWide(face)));
  EXPECT_TRUE(HasJapaneseFace(face.c_str())) << "no such face installed";
  // The painted texts: their sizes with the chosen face.
  for (const int height : {11, 12, 16}) {
    EXPECT_TRUE(DrawsAll(FontOf(face, height).Get(), kSample)) << height;
  }

  // A dialog's controls, in both template formats: made from the copy naming
  // the chosen face, they draw Japanese, and the template's size stays.
  for (const bool extended : {false, true}) {
    const std::vector<BYTE> original = EditDialogTemplate(extended, kTemplateFace);
    const std::vector<BYTE> copy = TemplateWithFace(original.data(), original.size(), face);
    ASSERT_EQ(copy, EditDialogTemplate(extended, face.c_str())) << extended;
    const HWND dialog = CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(copy.data()), nullptr,
        PlainDialog, 0);
    ASSERT_NE(dialog, nullptr);
    const HFONT given =
        reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, kEditId, WM_GETFONT, 0, 0));
    EXPECT_TRUE(DrawsAll(given, kSample)) << extended;
    LOGFONTW record{};
    ASSERT_NE(GetObjectW(given, sizeof record, &record), 0);
    EXPECT_EQ(std::wstring(record.lfFaceName), face);
    DestroyWindow(dialog);
  }
  const BYTE noFont[18] = {};
  EXPECT_TRUE(TemplateWithFace(noFont, sizeof noFont, face).empty());
}
