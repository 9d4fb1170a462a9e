#include "skin/win32/window_region.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/win32/handles.h"

namespace {

// Some Windows versions refuse very long rectangle lists in one call; larger
// outlines are built in pieces and joined.
constexpr std::size_t kRectsPerCall = 2000;

bool regionsRefused = false;  // tests: the platform refuses every region

win32::Region RegionFromRects(const ShapeRect* rects, std::size_t count) {
  RGNDATAHEADER header{};
  header.dwSize = sizeof(RGNDATAHEADER);
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(count);
  header.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
  ShapeRect bound = rects[0];
  std::vector<RECT> list(count);
  for (std::size_t i = 0; i < count; ++i) {
    const ShapeRect& r = rects[i];
    list[i] = RECT{r.left, r.top, r.right, r.bottom};
    bound.left = std::min(bound.left, r.left);
    bound.top = std::min(bound.top, r.top);
    bound.right = std::max(bound.right, r.right);
    bound.bottom = std::max(bound.bottom, r.bottom);
  }
  header.rcBound = RECT{bound.left, bound.top, bound.right, bound.bottom};
  // RGNDATA is a header followed by the rectangles, in one block.
  std::vector<unsigned char> buffer(sizeof header + count * sizeof(RECT));
  std::memcpy(buffer.data(), &header, sizeof header);
  std::memcpy(buffer.data() + sizeof header, list.data(), count * sizeof(RECT));
  return win32::Region(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()),
                                reinterpret_cast<const RGNDATA*>(buffer.data())));
}

// The outline as a region; null when the platform refuses one.
win32::Region RegionFromShape(const WindowShape& shape) {
  if (regionsRefused) return win32::Region();
  const std::vector<ShapeRect> rects = ShapeRectangles(shape);
  if (rects.empty()) return win32::Region(CreateRectRgn(0, 0, 0, 0));  // nothing of the body shows
  win32::Region whole;
  for (std::size_t at = 0; at < rects.size(); at += kRectsPerCall) {
    win32::Region piece = RegionFromRects(rects.data() + at, std::min(kRectsPerCall, rects.size() - at));
    if (!piece) return win32::Region();
    if (!whole) {
      whole = std::move(piece);
    } else if (CombineRgn(whole.Get(), whole.Get(), piece.Get(), RGN_OR) == ERROR) {
      return win32::Region();
    }
  }
  return whole;
}

}  // namespace

bool SetWindowShape(HWND window, const WindowShape& shape) {
  win32::Region region;
  if (shape.valid) region = RegionFromShape(shape);
  const bool shaped = static_cast<bool>(region);
  // No region gives the window its full rectangle; with one, the window owns it.
  if (SetWindowRgn(window, region.Get(), TRUE) != 0) region.Release();
  return shaped;
}

void RefuseRegionsForTesting(bool refuse) { regionsRefused = refuse; }
