// Arbitrary bytes as a file from any editor: detection and decoding never read
// outside the input, and what UTF-16 decodes to encodes back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  platform::DecodeText(input);
  std::string utf8;
  if (platform::Utf8FromUtf16Le(input, utf8)) {
    if (!platform::IsValidUtf8(utf8) || platform::Utf16LeFromUtf8(utf8) != input) std::abort();
  }
  return 0;
}
