// LoadSkin: the skin into ClockState, then the window's outline as one region.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "app/shell.h"
#include "skin/clock_state.h"

namespace {

// Owns a region until it is handed to the window.
class Region {
 public:
  explicit Region(HRGN handle = nullptr) : handle_(handle) {}
  ~Region() {
    if (handle_) DeleteObject(handle_);
  }
  Region(Region&& other) noexcept : handle_(other.Release()) {}
  Region& operator=(Region&& other) noexcept {
    if (this != &other) {
      if (handle_) DeleteObject(handle_);
      handle_ = other.Release();
    }
    return *this;
  }
  Region(const Region&) = delete;
  Region& operator=(const Region&) = delete;

  HRGN Get() const { return handle_; }
  HRGN Release() {
    HRGN handle = handle_;
    handle_ = nullptr;
    return handle;
  }

 private:
  HRGN handle_;
};

// Some Windows versions refuse very long rectangle lists in one call; larger
// outlines are built in pieces and joined.
constexpr std::size_t kRectsPerCall = 2000;

bool regionsRefused = false;  // tests: the platform refuses every region

Region RegionFromRects(const ShapeRect* rects, std::size_t count) {
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
  return Region(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()),
                                reinterpret_cast<const RGNDATA*>(buffer.data())));
}

// The outline as a region; null when the platform refuses one.
Region RegionFromShape(const WindowShape& shape) {
  if (regionsRefused) return Region();
  const std::vector<ShapeRect> rects = ShapeRectangles(shape);
  if (rects.empty()) return Region(CreateRectRgn(0, 0, 0, 0));  // nothing of the body shows
  Region whole;
  for (std::size_t at = 0; at < rects.size(); at += kRectsPerCall) {
    Region piece = RegionFromRects(rects.data() + at, std::min(kRectsPerCall, rects.size() - at));
    if (!piece.Get()) return Region();
    if (!whole.Get()) {
      whole = std::move(piece);
    } else if (CombineRgn(whole.Get(), whole.Get(), piece.Get(), RGN_OR) == ERROR) {
      return Region();
    }
  }
  return whole;
}

}  // namespace

bool LoadSkin(ClockState& clock, HWND window) {
  WindowShape shape;
  if (!clock.LoadSkinData(shape)) return false;
  Region region;
  if (shape.valid) region = RegionFromShape(shape);
  // No region gives the window its full rectangle, and then every pixel of it
  // is inside; with one, the window owns it.
  if (!region.Get()) clock.MarkWholeBodyInside();
  if (SetWindowRgn(window, region.Get(), TRUE) != 0) region.Release();
  return true;
}

void RefuseRegionsForTesting(bool refuse) { regionsRefused = refuse; }
