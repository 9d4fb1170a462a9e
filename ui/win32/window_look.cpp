#include "ui/win32/window_look.h"

#include "render/clock_state.h"
#include "ui/win32/program_state.h"

bool FrameCarriesOpacity() {
  // Soft edges are presented with UpdateLayeredWindow; under Wine (and after a
  // refused update) the frame is painted into a window cut by its region.
  return clockState.softEdges;
}

BYTE OpacityAlpha(int percent) {
  if (percent <= 0) return 0;
  if (percent >= 100) return 255;
  return static_cast<BYTE>((percent * 255 + 50) / 100);
}

void ApplyWindowLook(HWND window, const WindowLook& look) {
  const bool layeredFrame = FrameCarriesOpacity();
  const bool layered = layeredFrame || look.clickThrough || look.opacityPercent < 100;
  const LONG_PTR before = GetWindowLongPtrW(window, GWL_EXSTYLE);
  LONG_PTR after = before & ~static_cast<LONG_PTR>(WS_EX_LAYERED | WS_EX_TRANSPARENT);
  if (layered) after |= WS_EX_LAYERED;
  // Without WS_EX_LAYERED, WS_EX_TRANSPARENT would not let clicks through.
  if (look.clickThrough) after |= WS_EX_TRANSPARENT;
  if (after != before) SetWindowLongPtrW(window, GWL_EXSTYLE, after);
  if (layered && !layeredFrame) {
    SetLayeredWindowAttributes(window, 0, OpacityAlpha(look.opacityPercent), LWA_ALPHA);
  }
  if ((after ^ before) & WS_EX_LAYERED) {
    // A window that stops being layered must be painted again at once.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}
