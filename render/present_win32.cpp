// Puts the composed frame on the clock window through the chosen colour
// effect. The pixels come from the core (RenderPresentation); this file only
// owns the device context and the blit.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/shell.h"
#include "render/colour_effects.h"
#include "skin/clock_state.h"

namespace {

// The window's device context for one presentation: BeginPaint/EndPaint when
// answering WM_PAINT, GetDC/ReleaseDC otherwise. Move-only so that it is
// released exactly once.
class PresentationDc {
 public:
  PresentationDc(HWND window, bool fromPaintMessage) : window_(window), painting_(fromPaintMessage) {
    dc_ = painting_ ? BeginPaint(window_, &paint_) : GetDC(window_);
  }
  ~PresentationDc() {
    // EndPaint even when BeginPaint gave no context: it validates the update
    // region, or WM_PAINT would come back at once, forever.
    if (painting_) {
      EndPaint(window_, &paint_);
    } else if (dc_) {
      ReleaseDC(window_, dc_);
    }
  }
  PresentationDc(const PresentationDc&) = delete;
  PresentationDc& operator=(const PresentationDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HWND window_;
  bool painting_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

}  // namespace

void PresentFrame(ClockState& clock, HWND window, int effect, bool fromPaintMessage) {
  PresentationDc dc(window, fromPaintMessage);

  // A fresh buffer per presentation, freed on return; without pixels (no skin
  // yet, or no memory) nothing is painted, but a paint message is still ended.
  std::vector<std::uint32_t> rows;
  if (!RenderPresentation(clock.frame, effect, rows) || !dc.get()) return;

  const int width = clock.frame.width;
  const int height = clock.frame.height;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: rows stored bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  StretchDIBits(dc.get(), 0, 0, width, height, 0, 0, width, height, rows.data(), &info, DIB_RGB_COLORS,
                SRCCOPY);
}
