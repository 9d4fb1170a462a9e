// Where a dialog's painted texts go at a display scale. Painted layouts are
// written in 96-dpi pixels, but a dialog's controls are placed in dialog
// units, which follow its font's average character width and height at the
// present dpi; those grow by a little more or less than the dpi does (the
// stand-in faces widen by about 1.55 at 150 %). So a painted length is scaled
// by the font's base units now over its base units at 96 dpi, across and
// down apart, and stays with the controls at every scale.
#pragma once
#include <windows.h>

// A length in the window's pixels is `length * pixels / layout`, per axis.
struct LayoutScale {
  int acrossPixels = 1;
  int acrossLayout = 1;
  int downPixels = 1;
  int downLayout = 1;
};

// The identity at 96 dpi; for a dialog the ratio of its font's base units
// (MapDialogRect now, the same face measured at 96 dpi); for any other
// window, or when the font cannot be measured, dpi / 96 both ways.
LayoutScale LayoutScaleOf(HWND window);

// Layout pixels to the window's pixels and back, rounded to the nearest.
int AcrossPixels(const LayoutScale& scale, int layout);
int DownPixels(const LayoutScale& scale, int layout);
int AcrossLayout(const LayoutScale& scale, int pixels);
int DownLayout(const LayoutScale& scale, int pixels);
