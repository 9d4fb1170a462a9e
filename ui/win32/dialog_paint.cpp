// Every dialog's backdrop and labels: the core computes the backdrop rows, this
// file only blits them and draws texts with a font made for the one text.
// Nothing is kept between paints: each paint reads the dialog's dpi afresh, so
// a dialog moved to a monitor of another scale needs only to be repainted.
#include "ui/win32/dialog_paint.h"

#include <windowsx.h>

#include <cstdint>
#include <vector>

#include "platform/text.h"
#include "platform/win32/handles.h"
#include "render/clock_state.h"
#include "ui/dialog_backdrop.h"
#include "ui/scaled_backdrop.h"
#include "ui/win32/dialog_units.h"
#include "ui/win32/display_scale.h"
#include "ui/win32/japanese_font.h"

namespace {

// Blits 32-bit bottom-up rows at the dialog's top-left corner, inside the
// paint bracket.
void BlitBackdrop(HWND dialog, const std::vector<std::uint8_t>& rows, int dpi) {
  const int width = BackdropWidthAt(dpi);
  const int height = BackdropHeightAt(dpi);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: the bottom row comes first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  win32::PaintDC paint(dialog);
  StretchDIBits(paint.Get(), 0, 0, width, height, 0, 0, width, height, rows.data(), &info,
                DIB_RGB_COLORS, SRCCOPY);
}

// The one font record; its fixed fields are filled on first use.
LOGFONTW& FontRecord() {
  static LOGFONTW record = [] {
    LOGFONTW font{};
    font.lfWidth = 0;
    font.lfStrikeOut = FALSE;
    font.lfCharSet = SHIFTJIS_CHARSET;
    // "ＭＳ Ｐゴシック", or the installed face that stands in for it.
    lstrcpynW(font.lfFaceName, JapaneseFace().c_str(), LF_FACESIZE);
    return font;
  }();
  return record;
}

RECT WindowRectAt(const LayoutScale& scale, const RECT& layout) {
  return {AcrossPixels(scale, layout.left), DownPixels(scale, layout.top),
          AcrossPixels(scale, layout.right), DownPixels(scale, layout.bottom)};
}

}  // namespace

void PaintIntroPicture(ClockState& clock, HWND dialog) {
  if (!clock.hasIntroPicture) return;
  const int dpi = WindowDpi(dialog);
  const std::vector<std::uint8_t> rows = IntroPictureRowsAt(clock.introPicture, dpi);
  if (rows.empty()) return;
  BlitBackdrop(dialog, rows, dpi);
}

void PaintGradient(HWND dialog, COLORREF a, COLORREF b) {
  const int dpi = WindowDpi(dialog);
  const std::vector<std::uint8_t> rows = GradientRowsAt(a, b, dpi);
  if (rows.empty()) return;
  BlitBackdrop(dialog, rows, dpi);
}

void DrawDialogText(HWND window, RECT rectangle, UINT format, int height, int weight,
                    int underline, int italic, COLORREF colour, int escapement,
                    const char* text) {
  if (!text) return;
  const LayoutScale scale = LayoutScaleOf(window);
  rectangle = WindowRectAt(scale, rectangle);
  LOGFONTW& record = FontRecord();
  record.lfHeight = DownPixels(scale, height);
  record.lfWeight = weight;
  record.lfEscapement = escapement;
  record.lfOrientation = escapement;
  record.lfItalic = static_cast<BYTE>(italic);
  record.lfUnderline = static_cast<BYTE>(underline);
  win32::Font font(CreateFontIndirectW(&record));
  win32::WindowDC dc(window);
  if (!dc) return;
  const std::wstring wide = platform::WideFromCp932(text);
  win32::Selection selected(dc.Get(), font.Get());
  SetMapperFlags(dc.Get(), ASPECT_FILTERING);
  SetBkMode(dc.Get(), TRANSPARENT);
  SetTextColor(dc.Get(), colour);
  DrawTextW(dc.Get(), wide.c_str(), -1, &rectangle, format);
}  // the font is deselected, the DC released, then the font deleted

RECT LayoutClient(HWND dialog) {
  RECT client{};
  GetClientRect(dialog, &client);
  const LayoutScale scale = LayoutScaleOf(dialog);
  return {AcrossLayout(scale, client.left), DownLayout(scale, client.top),
          AcrossLayout(scale, client.right), DownLayout(scale, client.bottom)};
}

POINT LayoutPoint(HWND dialog, LPARAM position) {
  const LayoutScale scale = LayoutScaleOf(dialog);
  return {AcrossLayout(scale, GET_X_LPARAM(position)), DownLayout(scale, GET_Y_LPARAM(position))};
}

RECT WindowRect(HWND dialog, const RECT& layout) {
  return WindowRectAt(LayoutScaleOf(dialog), layout);
}

void RepaintAtNewDpi(HWND dialog) { InvalidateRect(dialog, nullptr, TRUE); }
