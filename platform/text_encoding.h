// Which encoding a data file's bytes are in, and its text as the program holds
// it (code page 932). Files we create are CP932; files saved by today's editors
// may be UTF-8 (with or without a byte-order mark) or UTF-16 (LE or BE with a
// mark, or LE without one).
#pragma once
#include <string>
#include <string_view>

#include "platform/utf8_append.h"

namespace platform {

enum class TextEncoding {
  Cp932,
  Utf8,        // no byte-order mark: valid UTF-8 and not defined CP932, or
               // valid in both and more plausible Japanese as UTF-8
  Utf8Bom,
  Utf16LeBom,
  Utf16BeBom,
  Utf16Le,     // no mark: recognised by ASCII characters in most of its units
};

// A byte-order mark decides, whatever follows it; otherwise the rules above.
TextEncoding DetectEncoding(std::string_view bytes);

bool IsUnicode(TextEncoding encoding);

// "CP932", "UTF-8", "UTF-8 with BOM", "UTF-16 LE with BOM", "UTF-16 BE with
// BOM", "UTF-16 LE".
const char* EncodingName(TextEncoding encoding);

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// UTF-16 (no byte-order mark) to UTF-8 as Windows reads it: an unpaired
// surrogate or an odd last byte becomes U+FFFD and the rest is kept. False when
// anything had to be replaced.
bool Utf8FromUtf16(std::string_view bytes, bool bigEndian, std::string& utf8);
inline bool Utf8FromUtf16Le(std::string_view bytes, std::string& utf8) {
  return Utf8FromUtf16(bytes, false, utf8);
}
// UTF-8 as IsValidUtf8 accepts it, to UTF-16 bytes without a mark.
std::string Utf16FromUtf8(std::string_view utf8, bool bigEndian);
inline std::string Utf16LeFromUtf8(std::string_view utf8) { return Utf16FromUtf8(utf8, false); }

// The text of a file in a Unicode encoding as UTF-8, its mark taken off. UTF-8
// bytes stay as they are (a malformed sequence included, so that lines nobody
// edits keep their bytes); UTF-16 goes through Utf8FromUtf16. `exact` tells
// whether UnicodeFileFromUtf8 gives the same bytes back.
std::string Utf8FromUnicodeFile(std::string_view bytes, TextEncoding encoding, bool& exact);
// UTF-8 text as the file's bytes in `encoding`, with its mark.
std::string UnicodeFileFromUtf8(std::string_view utf8, TextEncoding encoding);

// UTF-8 to CP932; `exact` tells whether every character had a CP932 form (the
// others are replaced).
std::string Cp932FromUtf8Checked(const std::string& utf8, bool& exact);

struct DecodedText {
  std::string text;  // CP932
  TextEncoding encoding = TextEncoding::Cp932;
  bool lossy = false;  // some characters had no CP932 form and were replaced
};

// A whole file's bytes as CP932 text. CP932 files come back as they are.
DecodedText DecodeText(std::string_view bytes);

}  // namespace platform
