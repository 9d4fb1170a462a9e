#include "ui/intro_picture.h"

#include <algorithm>
#include <cstddef>

#include "skin/display_scale.h"
#include "ui/dialog_backdrop.h"
#include "render/clock_state.h"

void FreeIntroPicture(ClockState& clock) {
  if (!clock.hasIntroPicture) return;
  clock.introPicture.red.clear();
  clock.introPicture.green.clear();
  clock.introPicture.blue.clear();
  clock.introPicture.hasPlanes = false;
  clock.hasIntroPicture = false;
}

namespace {

// 1 inside the window's outline. Where the mask does not reach (no shape, or a
// mask left from another body) the window is its full rectangle.
unsigned InsideOutline(const ClockState& clock, int x, int y) {
  if (!clock.hasHitMask || x >= clock.hitMaskWidth || y >= clock.hitMaskHeight) return 1;
  const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(clock.hitMaskWidth) +
                         static_cast<std::size_t>(x);
  return at < clock.hitMask.size() && clock.hitMask[at] != 0 ? 1 : 0;
}

}  // namespace

void BuildIntroPicture(ClockState& clock, std::uint32_t faceColour) {
  FreeIntroPicture(clock);
  PlanarImage& picture = clock.introPicture;
  const std::size_t size = static_cast<std::size_t>(kBackdropWidth) * kBackdropHeight;
  const unsigned background[3] = {faceColour & 0xFFu, (faceColour >> 8) & 0xFFu,
                                  (faceColour >> 16) & 0xFFu};
  picture.width = kBackdropWidth;
  picture.height = kBackdropHeight;
  picture.red.assign(size, static_cast<std::uint8_t>(background[0]));
  picture.green.assign(size, static_cast<std::uint8_t>(background[1]));
  picture.blue.assign(size, static_cast<std::uint8_t>(background[2]));
  picture.hasPlanes = true;
  clock.hasIntroPicture = true;

  const PlanarImage& frame = clock.frame;
  const std::size_t frameSize =
      frame.width > 0 && frame.height > 0
          ? static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height)
          : 0;
  if (!frame.hasPlanes || frameSize == 0 || frame.red.size() < frameSize ||
      frame.green.size() < frameSize || frame.blue.size() < frameSize) {
    return;  // nothing composed yet: the face colour alone
  }
  // The picture is laid out in 96-dpi pixels; a clock drawn at another scale
  // is read at the centre of each 96-dpi pixel.
  const int dpi = clock.DrawDpi();
  const auto at = [dpi](int length) { return (2 * length + 1) * dpi / (2 * kBaseDpi); };
  const int cols = std::min(frame.width * kBaseDpi / dpi, kBackdropWidth);
  const int rows = std::min(frame.height * kBaseDpi / dpi, kBackdropHeight);
  Plane* planes[3] = {&picture.red, &picture.green, &picture.blue};
  const Plane* sources[3] = {&frame.red, &frame.green, &frame.blue};
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < cols; ++x) {
      const int fx = at(x), fy = at(y);
      if (fx >= frame.width || fy >= frame.height) continue;
      const unsigned w = static_cast<unsigned>(kBackdropWidth - x) * InsideOutline(clock, fx, fy);
      const std::size_t from = static_cast<std::size_t>(fy) * static_cast<std::size_t>(frame.width) +
                               static_cast<std::size_t>(fx);
      const std::size_t to = static_cast<std::size_t>(y) * kBackdropWidth + static_cast<std::size_t>(x);
      for (int c = 0; c < 3; ++c) {
        (*planes[c])[to] =
            static_cast<std::uint8_t>(((255 - w) * background[c] + w * (*sources[c])[from]) / 255);
      }
    }
  }
}
