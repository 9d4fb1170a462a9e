#include "platform/text_best_fit.h"

#include <cstddef>

#include "platform/utf8_append.h"

namespace platform {
namespace {

struct LookAlike {
  char32_t from, to;
};

// Characters that other Japanese code tables put where code page 932 has its
// full-width forms, and signs people type from a Western keyboard.
constexpr LookAlike kLookAlikes[] = {
    {0x00A2, 0xFFE0},  // ¢ → ￠
    {0x00A3, 0xFFE1},  // £ → ￡
    {0x00A5, 0x005C},  // ¥ → the backslash byte, which Japanese fonts draw as ¥
    {0x00A6, 0xFFE4},  // ¦ → ￤
    {0x00AC, 0xFFE2},  // ¬ → ￢
    {0x2014, 0x2015},  // — → ―
    {0x2016, 0x2225},  // ‖ → ∥
    {0x203E, 0x007E},  // ‾ → ~
    {0x2212, 0xFF0D},  // − → －
    {0x301C, 0xFF5E},  // 〜 → ～
};

// U+00C0..U+00FF: the accented Latin letters without their accents ('\0':
// none, as for × and ÷).
constexpr char kLatinBase[] =
    "AAAAAAACEEEEIIII"
    "DNOOOOO\0OUUUUY\0s"
    "aaaaaaaceeeeiiii"
    "dnooooo\0ouuuuy\0y";

}  // namespace

char32_t Cp932LookAlike(char32_t c) {
  if (c >= 0xC0 && c <= 0xFF) {
    const char base = kLatinBase[c - 0xC0];
    return base ? static_cast<char32_t>(base) : c;
  }
  for (const LookAlike& entry : kLookAlikes) {
    if (entry.from == c) return entry.to;
  }
  return c;
}

std::string WithCp932LookAlikes(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (length == 1 || i + length > utf8.size()) {
      out += utf8[i++];
      continue;
    }
    char32_t code = length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    for (std::size_t k = 1; k < length; ++k) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    const char32_t alike = Cp932LookAlike(code);
    if (alike == code) {
      out.append(utf8, i, length);
    } else {
      AppendUtf8(out, alike);
    }
    i += length;
  }
  return out;
}

std::wstring WithCp932LookAlikes(const std::wstring& wide) {
  std::wstring out = wide;
  for (wchar_t& c : out) c = static_cast<wchar_t>(Cp932LookAlike(static_cast<char32_t>(c)));
  return out;
}

}  // namespace platform
