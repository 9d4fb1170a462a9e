#include "platform/text_encoding.h"

#include "platform/japanese_text_model.h"
#include "platform/text.h"

namespace platform {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

unsigned char At(std::string_view bytes, std::size_t i) {
  return static_cast<unsigned char>(bytes[i]);
}

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }


bool HasNonAscii(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

void AppendUtf16(std::string& out, char32_t unit, bool bigEndian) {
  const char low = static_cast<char>(unit & 0xFF);
  const char high = static_cast<char>(unit >> 8);
  out += bigEndian ? high : low;
  out += bigEndian ? low : high;
}

char32_t Utf16Unit(std::string_view bytes, std::size_t i, bool bigEndian) {
  const char32_t first = At(bytes, i);
  const char32_t second = At(bytes, i + 1);
  return bigEndian ? (first << 8) | second : (second << 8) | first;
}

// A settings file an editor saved as UTF-16 LE without a mark: even length,
// ASCII first, at least half of its units ASCII (CP932 and UTF-8 text files
// hold no zero bytes), no NUL unit, nothing to replace.
bool IsPlainUtf16Le(std::string_view bytes) {
  if (bytes.size() < 4 || bytes.size() % 2 != 0) return false;
  std::size_t ascii = 0;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    const char32_t unit = Utf16Unit(bytes, i, false);
    if (unit == 0) return false;
    if (unit < 0x80) ++ascii;
    else if (i == 0) return false;
  }
  std::string ignored;
  return ascii * 2 >= bytes.size() / 2 && Utf8FromUtf16(bytes, false, ignored);
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

TextEncoding DetectEncoding(std::string_view bytes) {
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) return TextEncoding::Utf8Bom;
  if (bytes.substr(0, kUtf16LeBom.size()) == kUtf16LeBom) return TextEncoding::Utf16LeBom;
  if (bytes.substr(0, kUtf16BeBom.size()) == kUtf16BeBom) return TextEncoding::Utf16BeBom;
  if (IsPlainUtf16Le(bytes)) return TextEncoding::Utf16Le;
  // Valid in one encoding only, that one; in both, the more plausible reading
  // as Japanese, ties to CP932. Neither: CP932, byte for byte.
  if (HasNonAscii(bytes) && IsValidUtf8(bytes) &&
      (!IsDefinedCp932(bytes) || Utf8Plausibility(bytes) > Cp932Plausibility(bytes))) {
    return TextEncoding::Utf8;
  }
  return TextEncoding::Cp932;
}

bool IsUnicode(TextEncoding encoding) { return encoding != TextEncoding::Cp932; }

const char* EncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Cp932: return "CP932";
    case TextEncoding::Utf8: return "UTF-8";
    case TextEncoding::Utf8Bom: return "UTF-8 with BOM";
    case TextEncoding::Utf16LeBom: return "UTF-16 LE with BOM";
    case TextEncoding::Utf16BeBom: return "UTF-16 BE with BOM";
    case TextEncoding::Utf16Le: return "UTF-16 LE";
  }
  return "CP932";
}

bool Utf8FromUtf16(std::string_view bytes, bool bigEndian, std::string& utf8) {
  utf8.clear();
  utf8.reserve(bytes.size());
  bool exact = true;
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t unit = Utf16Unit(bytes, i, bigEndian);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = Utf16Unit(bytes, i + 2, bigEndian);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(utf8, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    if (unit >= 0xD800 && unit <= 0xDFFF) {
      unit = kReplacement;
      exact = false;
    }
    AppendUtf8(utf8, unit);
  }
  if (i < bytes.size()) {  // an odd last byte
    AppendUtf8(utf8, kReplacement);
    exact = false;
  }
  return exact;
}

std::string Utf16FromUtf8(std::string_view utf8, bool bigEndian) {
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
      AppendUtf16(out, 0xD800 + ((code - 0x10000) >> 10), bigEndian);
      AppendUtf16(out, 0xDC00 + ((code - 0x10000) & 0x3FF), bigEndian);
    } else {
      AppendUtf16(out, code, bigEndian);
    }
  }
  return out;
}

std::string Utf8FromUnicodeFile(std::string_view bytes, TextEncoding encoding, bool& exact) {
  std::string utf8;
  exact = true;
  switch (encoding) {
    case TextEncoding::Cp932:
    case TextEncoding::Utf8:
      utf8.assign(bytes);
      break;
    case TextEncoding::Utf8Bom:
      utf8.assign(bytes.substr(kUtf8Bom.size()));
      break;
    case TextEncoding::Utf16LeBom:
      exact = Utf8FromUtf16(bytes.substr(kUtf16LeBom.size()), false, utf8);
      break;
    case TextEncoding::Utf16BeBom:
      exact = Utf8FromUtf16(bytes.substr(kUtf16BeBom.size()), true, utf8);
      break;
    case TextEncoding::Utf16Le:
      exact = Utf8FromUtf16(bytes, false, utf8);
      break;
  }
  return utf8;
}

std::string UnicodeFileFromUtf8(std::string_view utf8, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8Bom:
      return std::string(kUtf8Bom) + std::string(utf8);
    case TextEncoding::Utf16LeBom:
      return std::string(kUtf16LeBom) + Utf16FromUtf8(utf8, false);
    case TextEncoding::Utf16BeBom:
      return std::string(kUtf16BeBom) + Utf16FromUtf8(utf8, true);
    case TextEncoding::Utf16Le:
      return Utf16FromUtf8(utf8, false);
    case TextEncoding::Cp932:
    case TextEncoding::Utf8:
      break;
  }
  return std::string(utf8);
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
  if (decoded.encoding == TextEncoding::Cp932) {
    decoded.text.assign(bytes);
    return decoded;
  }
  bool exactFile = true;
  const std::string utf8 = Utf8FromUnicodeFile(bytes, decoded.encoding, exactFile);
  bool exact = true;
  decoded.text = Cp932FromUtf8Checked(utf8, exact);
  decoded.lossy = !exact || !exactFile;
  return decoded;
}

}  // namespace platform
