// The pixels come from the core (RenderPresentation); this file only owns the
// device context and the blit.
#include "render/win32/present_frame.h"

#include <cstdint>
#include <vector>

#include "platform/win32/handles.h"
#include "render/clock_state.h"
#include "render/colour_effects.h"

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

}  // namespace

void PresentFrame(ClockState& clock, HWND window, int effect, bool fromPaintMessage) {
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
