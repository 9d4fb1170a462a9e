// Which encoding a data file's bytes are in, and its text as the program holds
// it (code page 932). Files we create are CP932; files saved by today's editors
// may be UTF-8 (with or without a byte-order mark) or UTF-16 LE with one.
#pragma once
#include <string>
#include <string_view>

#include "platform/utf8_append.h"

namespace platform {

enum class TextEncoding {
  Cp932,
  Utf8,        // no byte-order mark: valid UTF-8 that is not plausible CP932,
               // or whose only non-ASCII text is Latin letters
  Utf8Bom,
  Utf16LeBom,
  Unreadable,  // a byte-order mark followed by what it cannot be: taken as CP932 bytes
};

TextEncoding DetectEncoding(std::string_view bytes);

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Well-formed CP932 with few of the rare characters (level-2 kanji, extension
// and user-defined rows) that UTF-8 Japanese turns into when read as CP932.
bool IsPlausibleCp932(std::string_view bytes);

// UTF-16 LE (no byte-order mark) to UTF-8; false for an odd length or an
// unpaired surrogate.
bool Utf8FromUtf16Le(std::string_view bytes, std::string& utf8);
// UTF-8 as IsValidUtf8 accepts it, to UTF-16 LE bytes.
std::string Utf16LeFromUtf8(std::string_view utf8);

// UTF-8 to CP932; `exact` tells whether every character had a CP932 form (the
// others are replaced).
std::string Cp932FromUtf8Checked(const std::string& utf8, bool& exact);

struct DecodedText {
  std::string text;  // CP932
  TextEncoding encoding = TextEncoding::Cp932;
  bool lossy = false;  // some characters had no CP932 form and were replaced
};

// A whole file's bytes as CP932 text. CP932 and unreadable files come back as
// they are.
DecodedText DecodeText(std::string_view bytes);

}  // namespace platform
