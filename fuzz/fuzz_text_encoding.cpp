// Arbitrary bytes as a file from any editor: detection and decoding never read
// outside the input, UTF-16 always decodes to UTF-8, and what decodes exactly
// encodes back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  platform::DecodeText(input);
  for (const bool bigEndian : {false, true}) {
    std::string utf8;
    const bool exact = platform::Utf8FromUtf16(input, bigEndian, utf8);
    // Every unit decodes, bad ones to U+FFFD: the result is always UTF-8.
    if (!platform::IsValidUtf8(utf8)) std::abort();
    if (exact && platform::Utf16FromUtf8(utf8, bigEndian) != input) std::abort();
  }
  return 0;
}
