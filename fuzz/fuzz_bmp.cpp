// libFuzzer entry point for the BMP decoder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/bmp_decoder.h"

namespace {

// Pictures claiming tens of millions of pixels are legal, but allocating and
// clearing a gigabyte per input would only slow the search down; the size
// checks themselves are covered by the unit tests.
bool ClaimsHugePicture(const std::uint8_t* data, std::size_t size) {
  if (size < 26) return false;
  auto le32 = [&](std::size_t at) {
    return static_cast<std::int32_t>(data[at] | data[at + 1] << 8 | data[at + 2] << 16 |
                                     static_cast<std::uint32_t>(data[at + 3]) << 24);
  };
  std::int64_t width, height;
  if (le32(14) == 12) {
    width = data[18] | data[19] << 8;
    height = data[20] | data[21] << 8;
  } else {
    width = le32(18);
    height = le32(22);
  }
  return std::llabs(width) * std::llabs(height) > (std::int64_t{1} << 22);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (ClaimsHugePicture(data, size)) return 0;
  platform::BitmapPixels out;
  if (DecodeBmp(data, size, out)) {
    // A decoded picture is always whole.
    if (out.width <= 0 || out.height <= 0 ||
        out.pixels.size() != static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height))
      std::abort();
  }
  return 0;
}
