// A loaded skin moved between monitors: the first input byte is the scale it
// loads at, the next three the scales it is moved to (fuzz/skin_input.h), the
// rest the skin. After every move the pictures, frame and outline agree on the
// size the scale gives, and the frame composes; back at 100 % the clock draws
// exactly what a load at 100 % draws.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/skin_input.h"
#include "render/clock_state.h"
#include "skin/layer_table.h"

namespace {

constexpr std::size_t kMoves = 3;

void CheckDrawn(ClockState& clock, const WindowShape& shape, int bodyWidth, int bodyHeight) {
  const int dpi = clock.DrawDpi();
  if (dpi < kBaseDpi || dpi > clock.displayDpi) __builtin_trap();
  const PlanarImage& body = clock.layers[Body];
  if (body.width != ScaleByDpi(bodyWidth, dpi) || body.height != ScaleByDpi(bodyHeight, dpi)) __builtin_trap();
  if (clock.frame.width != body.width || clock.frame.height != body.height) __builtin_trap();
  if (clock.hitMaskWidth != body.width || clock.hitMaskHeight != body.height ||
      clock.hitMask.size() != static_cast<std::size_t>(body.width) * body.height)
    __builtin_trap();
  if (shape.valid && (shape.width != body.width || shape.height != body.height)) __builtin_trap();
  clock.RedrawFrame();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzskin::Quiet();
  if (size < 1 + kMoves) return 0;
  const std::string skinPath =
      fuzzskin::WriteSkin(std::string(reinterpret_cast<const char*>(data) + 1 + kMoves, size - 1 - kMoves));
  if (skinPath.empty()) return 0;

  ClockState plain;  // the same skin at 100 %
  plain.skinPath = skinPath;
  plain.skinDirectory = fuzzskin::Folder();
  WindowShape shape;
  if (!plain.LoadSkinData(shape)) return 0;
  const int bodyWidth = plain.layers[Body].width, bodyHeight = plain.layers[Body].height;
  plain.ComposeFrame();

  ClockState clock;
  clock.skinPath = skinPath;
  clock.skinDirectory = fuzzskin::Folder();
  clock.displayDpi = fuzzskin::DpiFromByte(data[0]);
  if (!clock.LoadSkinData(shape)) __builtin_trap();  // it loaded a moment ago
  clock.ComposeFrame();
  CheckDrawn(clock, shape, bodyWidth, bodyHeight);
  for (std::size_t k = 1; k <= kMoves; ++k) {
    clock.ChangeDisplayDpi(fuzzskin::DpiFromByte(data[k]), shape);
    CheckDrawn(clock, shape, bodyWidth, bodyHeight);
  }
  clock.ChangeDisplayDpi(kBaseDpi, shape);
  CheckDrawn(clock, shape, bodyWidth, bodyHeight);
  if (clock.hitMask != plain.hitMask || clock.frame.red != plain.frame.red ||
      clock.frame.green != plain.frame.green || clock.frame.blue != plain.frame.blue)
    __builtin_trap();
  return 0;
}
