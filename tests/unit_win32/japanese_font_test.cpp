// The face chosen for the dialogs draws Japanese, in the painted texts and in
// the controls, whether or not the templates' own face is installed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

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

  // A dialog's controls: the template's face when installed, else the font
  // UseJapaneseFont gave them.
  const HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(parent, nullptr);
  const HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 100, 20, parent, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  UseJapaneseFont(parent);
  UseJapaneseFont(parent);  // every dialog shares the one font
  const HFONT given = reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0));
  if (face == kTemplateFace) {
    EXPECT_TRUE(DrawsAll(FontOf(kTemplateFace, -12).Get(), kSample));
  } else {
    ASSERT_NE(given, nullptr);
    EXPECT_TRUE(DrawsAll(given, kSample));
    LOGFONTW record{};
    ASSERT_NE(GetObjectW(given, sizeof record, &record), 0);
    EXPECT_EQ(std::wstring(record.lfFaceName), face);
  }
  DestroyWindow(parent);
}
