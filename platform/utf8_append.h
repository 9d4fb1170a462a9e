// One code point onto a UTF-8 string: the step under the portable decoders and
// the native conversions alike, kept apart so that neither calls the other.
#pragma once
#include <string>

namespace platform {

// Appends code point c (at most U+10FFFF) to `out` as UTF-8.
void AppendUtf8(std::string& out, char32_t c);

}  // namespace platform
