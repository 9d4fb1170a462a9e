// A whole skin from anywhere, loaded and drawn the way the clock does it at a
// display scale. The first input byte is the scale (fuzz/skin_input.h), the
// rest the skin. Whatever loads must compose at the size the scale gives, and
// a failed load must leave the clock as it was.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz/skin_input.h"
#include "render/clock_state.h"
#include "skin/layer_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzskin::Quiet();
  if (size < 1) return 0;
  const int dpi = fuzzskin::DpiFromByte(data[0]);
  const std::string skinPath = fuzzskin::WriteSkin(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  if (skinPath.empty()) return 0;

  ClockState clock;
  clock.skinPath = skinPath;
  clock.skinDirectory = fuzzskin::Folder();
  clock.displayDpi = dpi;
  WindowShape shape;
  if (clock.LoadSkinData(shape)) {
    if (!clock.hasLayers || clock.layers.size() < 6) __builtin_trap();
    const PlanarImage& body = clock.layers[Body];
    if (clock.DrawDpi() > dpi || clock.DrawDpi() < kBaseDpi) __builtin_trap();
    if (static_cast<std::size_t>(clock.hitMaskWidth) * clock.hitMaskHeight != clock.hitMask.size())
      __builtin_trap();
    if (clock.hitMaskWidth != body.width || clock.hitMaskHeight != body.height) __builtin_trap();
    if (clock.frame.width != body.width || clock.frame.height != body.height) __builtin_trap();
    if (shape.valid && (shape.width != body.width || shape.height != body.height)) __builtin_trap();
    clock.ComposeFrame();
    // A second load of a file that is now gone keeps what the first one loaded.
    const int width = clock.frame.width;
    std::remove(skinPath.c_str());
    if (clock.LoadSkinData(shape) || clock.frame.width != width) __builtin_trap();
  }
  return 0;
}
