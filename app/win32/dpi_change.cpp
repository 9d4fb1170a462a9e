#include "app/win32/dpi_change.h"

#include "render/clock_state.h"
#include "render/win32/present_frame.h"
#include "skin/win32/window_region.h"

void ApplyWindowDpi(ClockState& clock, HWND window, int dpi, const RECT& suggested) {
  WindowShape shape;
  clock.ChangeDisplayDpi(dpi, shape);
  // Windows suggests the old size scaled its own way; the size follows our
  // rounding rule, so the picture fills the window exactly.
  SetWindowPos(window, nullptr, suggested.left, suggested.top, clock.frame.width, clock.frame.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (!SetWindowShape(window, shape)) clock.UseFullWindowOutline();
  clock.RedrawFrame();
  PresentFrame(clock, window, clock.settings.effect, false);
}
