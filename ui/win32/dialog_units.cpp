#include "ui/win32/dialog_units.h"

#include "platform/win32/handles.h"
#include "ui/win32/display_scale.h"

namespace {

struct BaseUnits {
  int across = 0;
  int down = 0;
};

// The dialog manager's own rule: half of the rounded average width of the 52
// Latin letters, and the font's height.
BaseUnits MeasureBaseUnits(HFONT font) {
  const win32::WindowDC screen(nullptr);
  if (!screen) return {};
  win32::Selection selected(screen.Get(), font);
  TEXTMETRICW metrics{};
  SIZE letters{};
  static const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  if (!GetTextMetricsW(screen.Get(), &metrics) ||
      !GetTextExtentPoint32W(screen.Get(), kLetters, 52, &letters)) {
    return {};
  }
  return {(letters.cx / 26 + 1) / 2, static_cast<int>(metrics.tmHeight)};
}

// The dialog's font as it would be made at 96 dpi, measured.
BaseUnits BaseUnitsAt96(HWND dialog, int dpi) {
  const HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  LOGFONTW record{};
  if (font == nullptr || GetObjectW(font, sizeof record, &record) != sizeof record) return {};
  record.lfHeight = MulDiv(record.lfHeight, kBaseDpi, dpi);
  record.lfWidth = MulDiv(record.lfWidth, kBaseDpi, dpi);
  win32::Font at96(CreateFontIndirectW(&record));
  if (!at96) return {};
  return MeasureBaseUnits(at96.Get());
}

// Rounded half away from zero, as MulDiv rounds.
int Scaled(int length, int numerator, int denominator) {
  const long long product = static_cast<long long>(length) * numerator;
  return static_cast<int>(product >= 0 ? (product + denominator / 2) / denominator
                                       : -((-product + denominator / 2) / denominator));
}

}  // namespace

LayoutScale LayoutScaleOf(HWND window) {
  const int dpi = WindowDpi(window);
  if (dpi == kBaseDpi) return {};
  RECT now{0, 0, 4, 8};  // one base unit across and down, in pixels
  if (MapDialogRect(window, &now) && now.right > 0 && now.bottom > 0) {
    const BaseUnits at96 = BaseUnitsAt96(window, dpi);
    if (at96.across > 0 && at96.down > 0) {
      return {static_cast<int>(now.right), at96.across, static_cast<int>(now.bottom), at96.down};
    }
  }
  return {dpi, kBaseDpi, dpi, kBaseDpi};
}

int AcrossPixels(const LayoutScale& s, int layout) {
  return Scaled(layout, s.acrossPixels, s.acrossLayout);
}
int DownPixels(const LayoutScale& s, int layout) { return Scaled(layout, s.downPixels, s.downLayout); }
int AcrossLayout(const LayoutScale& s, int pixels) {
  return Scaled(pixels, s.acrossLayout, s.acrossPixels);
}
int DownLayout(const LayoutScale& s, int pixels) { return Scaled(pixels, s.downLayout, s.downPixels); }
