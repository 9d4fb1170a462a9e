// libFuzzer entry point for PNG pictures: the header probe that the skin's
// memory bounds rest on, and the decoder behind it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/png_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PngProbe probe;
  const bool probed = ProbePng(data, size, probe);
  // Pictures claiming millions of pixels are legal, but inflating them per
  // input only slows the search; their bounds are covered by the unit tests.
  if (probed && static_cast<std::uint64_t>(probe.width) * static_cast<std::uint64_t>(probe.height) > (1u << 22))
    return 0;
  platform::BitmapPixels out;
  if (!DecodePng(data, size, out)) {
    if (!out.pixels.empty() || out.hasAlpha) std::abort();
    return 0;
  }
  // Whatever decodes was probed first, at the size its header gave, and
  // alpha never comes without the probe having said it might.
  if (!probed || out.width != probe.width || out.height != probe.height) std::abort();
  if (out.pixels.size() != static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height)) std::abort();
  if (out.hasAlpha && !probe.mayHaveAlpha) std::abort();
  if (!out.hasAlpha) {
    for (std::uint32_t pixel : out.pixels)
      if (pixel >> 24) std::abort();
  }
  return 0;
}
