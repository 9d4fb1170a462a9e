// The pixels come from the core (RenderPresentation, or
// RenderPremultipliedPresentation for a window that shows the frame's alpha);
// this file only owns the device context and the blit or the layered update.
#include "render/win32/present_frame.h"

#include <cstdint>
#include <vector>

#include "platform/win32/handles.h"
#include "render/clock_state.h"
#include "render/colour_effects.h"
#include "ui/win32/window_look.h"
#include "render/win32/layered_window.h"

namespace {

void Blit(HDC dc, const ClockState& clock, const std::vector<std::uint32_t>& rows) {
  const int width = clock.frame.width;
  const int height = clock.frame.height;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: rows stored bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  StretchDIBits(dc, 0, 0, width, height, 0, 0, width, height, rows.data(), &info, DIB_RGB_COLORS,
                SRCCOPY);
}

// The layered path: the whole window is updated from the frame, so a paint
// message only needs validating. False when the platform refused the update.
bool PresentWithAlpha(ClockState& clock, HWND window, int effect, bool fromPaintMessage) {
  if (fromPaintMessage) {
    win32::PaintDC validate(window);
  }
  std::vector<std::uint32_t> rows;
  if (!RenderPremultipliedPresentation(clock.frame, clock.frameAlpha, effect, rows)) return true;  // nothing to show
  return PresentLayered(window, rows, clock.frame.width, clock.frame.height, clock.windowOpacityPercent);
}

}  // namespace

void PresentFrame(ClockState& clock, HWND window, int effect, bool fromPaintMessage) {
  if (clock.softEdges) {
    if (PresentWithAlpha(clock, window, effect, fromPaintMessage)) return;
    // A platform that refuses layered windows gets the blit from now on; the
    // region it already has is the outline of every pixel with any alpha.
    clock.softEdges = false;
    fromPaintMessage = false;
    // A window made layered for its opacity now takes the opacity this way.
    if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) {
      SetLayeredWindowAttributes(window, 0, OpacityAlpha(clock.windowOpacityPercent), LWA_ALPHA);
    }
  }
  // A fresh buffer per presentation, freed on return; without pixels (no skin
  // yet, or no memory) nothing is painted, but a paint message is still ended:
  // EndPaint validates the update region, or WM_PAINT would come back forever.
  std::vector<std::uint32_t> rows;
  const bool rendered = RenderPresentation(clock.frame, effect, rows);
  if (fromPaintMessage) {
    win32::PaintDC dc(window);
    if (rendered && dc.Get()) Blit(dc.Get(), clock, rows);
  } else if (rendered) {
    win32::WindowDC dc(window);
    if (dc) Blit(dc.Get(), clock, rows);
  }
}
