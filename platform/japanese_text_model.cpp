#include "platform/japanese_text_model.h"

#include <cmath>
#include <string>
#include <vector>

#include "platform/text.h"

namespace platform {
namespace {

enum Class {
  kHiragana,
  kKatakana,
  kCommonKanji,  // JIS level 1
  kRareKanji,    // JIS level 2 and the extension rows
  kOtherKanji,   // no CP932 form
  kFullWidth,    // full-width digits and letters
  kSymbol,
  kNecSymbol,  // circled numbers, ㈱ and the like
  kHalfWidthKana,
  kLatin,        // accented letters
  kLatinSymbol,  // U+00A0..U+00BF
  kForeign,      // Greek, Cyrillic, box drawing
  kRare,
  kClasses
};

// kWeight: natural logarithm of (share of the class in Japanese text /
// characters in the class). Shares counted over the Japanese message catalogs
// of a Debian system (the msgstr texts of /usr/share/locale/ja/LC_MESSAGES/
// *.mo), with floors for classes settings files hold more of than messages do.
#include "platform/japanese_class_weights.inc"

bool IsTrail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

bool IsHalfWidthKana(unsigned char c) { return c >= 0xA1 && c <= 0xDF; }

// Code page 932's double-byte cells, lead and trail together; trails outside
// 0x40..0xFC and 0x7F are excluded by IsTrail. Made from the code page's
// mapping table (every pair that maps to a character).
struct CellRange {
  unsigned first, last;
};
constexpr CellRange kDefinedCells[] = {
    {0x8140, 0x81AC}, {0x81B8, 0x81BF}, {0x81C8, 0x81CE}, {0x81DA, 0x81E8}, {0x81F0, 0x81F7},
    {0x81FC, 0x81FC}, {0x824F, 0x8258}, {0x8260, 0x8279}, {0x8281, 0x829A}, {0x829F, 0x82F1},
    {0x8340, 0x8396}, {0x839F, 0x83B6}, {0x83BF, 0x83D6}, {0x8440, 0x8460}, {0x8470, 0x8491},
    {0x849F, 0x84BE}, {0x8740, 0x875D}, {0x875F, 0x8775}, {0x877E, 0x879C}, {0x889F, 0x9872},
    {0x989F, 0xEAA4}, {0xED40, 0xEEEC}, {0xEEEF, 0xEEFC}, {0xF040, 0xFC4B},
};

bool IsDefinedCell(unsigned code) {
  if (!IsTrail(static_cast<unsigned char>(code & 0xFF))) return false;
  for (const CellRange& range : kDefinedCells) {
    if (code >= range.first && code <= range.last) return true;
  }
  return false;
}

Class Cp932CellClass(unsigned code) {
  if (code == 0x815B) return kKatakana;  // the long-vowel mark
  if (code < 0x8240) return kSymbol;
  if (code >= 0x824F && code <= 0x829A) return kFullWidth;
  if (code >= 0x829F && code <= 0x82F1) return kHiragana;
  if (code >= 0x8340 && code <= 0x8396) return kKatakana;
  if (code < 0x8700) return kForeign;
  if (code < 0x8800) return kNecSymbol;
  if (code <= 0x9872) return kCommonKanji;
  if (code <= 0xEAA4 || (code >= 0xED40 && code <= 0xEEFC) || code >= 0xFA40) return kRareKanji;
  return kRare;  // user-defined rows
}

bool IsAsciiWordByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ';
}

bool IsAsciiLetterOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// ASCII letters or digits starting at bytes[i] straight after a Japanese
// character: a word ("Windowsの") now and then, one alone seldom.
double AsciiAfterJapanese(std::string_view bytes, std::size_t i) {
  if (!IsAsciiLetterOrDigit(bytes[i])) return 0;
  const bool alone = i + 1 >= bytes.size() || !IsAsciiLetterOrDigit(bytes[i + 1]);
  return alone ? kLoneAsciiAfterJapanese : kAsciiRunAfterJapanese;
}

char32_t NextUtf8(std::string_view bytes, std::size_t& i) {
  const unsigned char c = static_cast<unsigned char>(bytes[i]);
  const std::size_t extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
  char32_t code = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
  ++i;
  for (std::size_t k = 0; k < extra && i < bytes.size(); ++k, ++i) {
    code = (code << 6) | (static_cast<unsigned char>(bytes[i]) & 0x3F);
  }
  return code;
}

// A look-alike or a replacement does not come back as the same character.
Class KanjiClass(std::string_view utf8Character) {
  const std::string utf8(utf8Character);
  const std::string cp932 = Cp932FromUtf8(utf8);
  if (cp932.size() != 2 || Utf8FromCp932(cp932) != utf8) return kOtherKanji;
  return Cp932CellClass((static_cast<unsigned char>(cp932[0]) << 8) |
                        static_cast<unsigned char>(cp932[1]));
}

Class UnicodeClass(char32_t c, std::string_view utf8Character) {
  if (c >= 0x3041 && c <= 0x3096) return kHiragana;
  if (c >= 0x30A1 && c <= 0x30FC && c != 0x30FB) return kKatakana;
  if ((c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
      (c >= 0xF900 && c <= 0xFAFF)) {
    return KanjiClass(utf8Character);
  }
  if ((c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A) ||
      (c >= 0xFF41 && c <= 0xFF5A)) {
    return kFullWidth;
  }
  if (c >= 0xFF61 && c <= 0xFF9F) return kHalfWidthKana;
  if ((c >= 0x3000 && c <= 0x303F) || (c >= 0xFF01 && c <= 0xFF5E) || c == 0x30FB ||
      (c >= 0xFFE0 && c <= 0xFFE5) || (c >= 0x2010 && c <= 0x22FF) ||
      (c >= 0x25A0 && c <= 0x266F)) {
    return kSymbol;
  }
  if ((c >= 0x2460 && c <= 0x24FF) || (c >= 0x3200 && c <= 0x33FF)) return kNecSymbol;
  if (c >= 0xC0 && c <= 0x17F && c != 0xD7 && c != 0xF7) return kLatin;
  if (c >= 0xA0 && c <= 0xBF) return kLatinSymbol;
  if ((c >= 0x391 && c <= 0x3C9) || (c >= 0x401 && c <= 0x451) || (c >= 0x2500 && c <= 0x257F)) {
    return kForeign;
  }
  return kRare;
}

}  // namespace

bool IsDefinedCp932(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80 || IsHalfWidthKana(c)) continue;
    if (!IsCp932LeadByte(c) || i + 1 >= bytes.size()) return false;
    if (!IsDefinedCell((c << 8) | static_cast<unsigned char>(bytes[i + 1]))) return false;
    ++i;
  }
  return true;
}

double Cp932Plausibility(std::string_view bytes) {
  double score = 0;
  bool afterJapanese = false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      if (afterJapanese) score += AsciiAfterJapanese(bytes, i);
      afterJapanese = false;
      continue;
    }
    afterJapanese = true;
    if (IsHalfWidthKana(c) || i + 1 >= bytes.size()) {
      score += kWeight[kHalfWidthKana];
      continue;
    }
    score += kWeight[Cp932CellClass((c << 8) | static_cast<unsigned char>(bytes[i + 1]))];
    ++i;
  }
  return score;
}

double Utf8Plausibility(std::string_view bytes) {
  struct Character {
    Class kind;
    bool ascii;
    bool asciiWord;  // ASCII letter, digit or blank
    std::size_t start;
  };
  std::vector<Character> text;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t start = i;
    const char32_t c = NextUtf8(bytes, i);
    const bool ascii = c < 0x80;
    text.push_back({ascii ? kRare : UnicodeClass(c, bytes.substr(start, i - start)), ascii,
                    ascii && IsAsciiWordByte(static_cast<char>(c)), start});
  }
  // Latin, Greek and Cyrillic letters (José, © 2024, Москва) sit among ASCII
  // letters, digits and blanks or among their own kind; one standing alone
  // among Japanese or punctuation is what half-width katakana look like in UTF-8.
  const auto alphabet = [](Class kind) {
    return kind == kLatin || kind == kLatinSymbol ? 1 : kind == kForeign ? 2 : 0;
  };
  const auto besideItsKind = [&](std::size_t k, std::size_t n) {
    const Character& other = text[n];
    return other.ascii ? other.asciiWord : alphabet(other.kind) == alphabet(text[k].kind);
  };
  double score = 0;
  bool afterJapanese = false;
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k].ascii) {
      if (afterJapanese) score += AsciiAfterJapanese(bytes, text[k].start);
      afterJapanese = false;
      continue;
    }
    Class kind = text[k].kind;
    if (alphabet(kind) != 0) {
      const bool company = (k > 0 && besideItsKind(k, k - 1)) ||
                           (k + 1 < text.size() && besideItsKind(k, k + 1));
      if (!company) kind = kRare;
    }
    afterJapanese = alphabet(kind) == 0;
    score += kWeight[kind];
  }
  return score;
}

}  // namespace platform
