#include "day_digests.h"

#include <cinttypes>

#include "render/colour_effects.h"
#include "render/clock_state.h"

std::uint64_t FrameDigest(const std::vector<std::uint32_t>& rows) {
  std::uint64_t hash = 0xCBF29CE484222325u;
  for (std::uint32_t pixel : rows) {
    for (int byte = 0; byte < 4; ++byte) {
      hash ^= (pixel >> (8 * byte)) & 0xFFu;
      hash *= 0x100000001B3u;
    }
  }
  return hash;
}

bool PrintDayDigests(ClockState& clock, int effect, std::FILE* out) {
  std::vector<std::uint32_t> rows;
  for (int hour = 0; hour < 24; ++hour) {
    for (int minute = 0; minute < 60; ++minute) {
      for (int second = 0; second < 60; ++second) {
        clock.SetTimeSource([hour, minute, second](int& h, int& m, int& s) {
          h = hour;
          m = minute;
          s = second;
        });
        clock.ReadClock();
        clock.animating = false;
        clock.animationFrame = 0;
        clock.ComposeFrame();
        if (!RenderPresentation(clock.frame, effect, rows)) return false;
        std::fprintf(out, "%02d:%02d:%02d %016" PRIx64 "\n", hour, minute, second, FrameDigest(rows));
      }
    }
  }
  return true;
}
