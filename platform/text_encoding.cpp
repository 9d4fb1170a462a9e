#include "platform/text_encoding.h"

#include "platform/text.h"

namespace platform {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

unsigned char At(std::string_view bytes, std::size_t i) {
  return static_cast<unsigned char>(bytes[i]);
}

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

bool IsCp932Trail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// Rows that ordinary Japanese text seldom uses: unassigned rows, level-2
// kanji and everything after them (extensions, user-defined characters).
bool IsRareCp932Lead(unsigned char c) { return c == 0x85 || c == 0x86 || c >= 0xE0; }

bool HasNonAscii(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

void AppendUtf16Le(std::string& out, char32_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>(unit >> 8);
}

// Valid UTF-8 whose every non-ASCII character is Latin (U+00A0..U+024F): as
// CP932 it would be nothing but half-width katakana pairs such as "ﾃｩ".
bool IsLatinUtf8(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = At(utf8, i);
    if (c < 0x80) continue;
    if (c < 0xC2 || c > 0xC9 || i + 1 >= utf8.size()) return false;
    const char32_t code = (static_cast<char32_t>(c & 0x1F) << 6) | (At(utf8, i + 1) & 0x3F);
    if (code < 0xA0 || code > 0x24F) return false;
    ++i;
  }
  return true;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const unsigned char c = At(bytes, i);
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t extra;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      if (c == 0xE0) low = 0xA0;   // overlong
      if (c == 0xED) high = 0x9F;  // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      if (c == 0xF0) low = 0x90;   // overlong
      if (c == 0xF4) high = 0x8F;  // past U+10FFFF
    } else {
      return false;
    }
    if (i + extra >= bytes.size()) return false;  // cut short
    const unsigned char second = At(bytes, i + 1);
    if (second < low || second > high) return false;
    for (std::size_t k = 2; k <= extra; ++k) {
      if (!IsContinuation(At(bytes, i + k))) return false;
    }
    i += extra + 1;
  }
  return true;
}

bool IsPlausibleCp932(std::string_view bytes) {
  std::size_t doubleBytes = 0;
  std::size_t rare = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char c = At(bytes, i);
    if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) continue;  // ASCII, half-width katakana
    if (!IsCp932LeadByte(c) || i + 1 >= bytes.size() || !IsCp932Trail(At(bytes, i + 1))) {
      return false;
    }
    ++doubleBytes;
    if (IsRareCp932Lead(c)) ++rare;
    ++i;
  }
  // UTF-8 Japanese read as CP932 gives a rare character for about every other
  // one; real text has few.
  return rare * 4 <= doubleBytes;
}

TextEncoding DetectEncoding(std::string_view bytes) {
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    return IsValidUtf8(bytes.substr(kUtf8Bom.size())) ? TextEncoding::Utf8Bom
                                                      : TextEncoding::Unreadable;
  }
  if (bytes.substr(0, kUtf16LeBom.size()) == kUtf16LeBom) {
    std::string ignored;
    return Utf8FromUtf16Le(bytes.substr(kUtf16LeBom.size()), ignored) ? TextEncoding::Utf16LeBom
                                                                      : TextEncoding::Unreadable;
  }
  if (HasNonAscii(bytes) && IsValidUtf8(bytes) &&
      (!IsPlausibleCp932(bytes) || IsLatinUtf8(bytes))) {
    return TextEncoding::Utf8;
  }
  return TextEncoding::Cp932;
}

bool Utf8FromUtf16Le(std::string_view bytes, std::string& utf8) {
  utf8.clear();
  if (bytes.size() % 2 != 0) return false;
  utf8.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    char32_t unit = At(bytes, i) | (static_cast<char32_t>(At(bytes, i + 1)) << 8);
    if (unit >= 0xDC00 && unit <= 0xDFFF) return false;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 3 >= bytes.size()) return false;
      const char32_t low = At(bytes, i + 2) | (static_cast<char32_t>(At(bytes, i + 3)) << 8);
      if (low < 0xDC00 || low > 0xDFFF) return false;
      unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    AppendUtf8(utf8, unit);
  }
  return true;
}

std::string Utf16LeFromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() * 2);
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char c = At(utf8, i);
    const std::size_t extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
    char32_t code = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
    ++i;
    for (std::size_t k = 0; k < extra && i < utf8.size(); ++k, ++i) {
      code = (code << 6) | (At(utf8, i) & 0x3F);
    }
    if (code >= 0x10000) {
      AppendUtf16Le(out, 0xD800 + ((code - 0x10000) >> 10));
      AppendUtf16Le(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      AppendUtf16Le(out, code);
    }
  }
  return out;
}

std::string Cp932FromUtf8Checked(const std::string& utf8, bool& exact) {
  std::string cp932 = Cp932FromUtf8(utf8);
  // Replacements and best-fit look-alikes both fail to come back unchanged.
  exact = !HasNonAscii(utf8) || Utf8FromCp932(cp932) == utf8;
  return cp932;
}

DecodedText DecodeText(std::string_view bytes) {
  DecodedText decoded;
  decoded.encoding = DetectEncoding(bytes);
  std::string utf8;
  switch (decoded.encoding) {
    case TextEncoding::Cp932:
    case TextEncoding::Unreadable:
      decoded.text.assign(bytes);
      return decoded;
    case TextEncoding::Utf8:
      utf8.assign(bytes);
      break;
    case TextEncoding::Utf8Bom:
      utf8.assign(bytes.substr(kUtf8Bom.size()));
      break;
    case TextEncoding::Utf16LeBom:
      Utf8FromUtf16Le(bytes.substr(kUtf16LeBom.size()), utf8);
      break;
  }
  bool exact = true;
  decoded.text = Cp932FromUtf8Checked(utf8, exact);
  decoded.lossy = !exact;
  return decoded;
}

}  // namespace platform
