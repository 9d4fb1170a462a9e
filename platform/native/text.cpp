// Conversions through iconv. A byte sequence the source encoding does not
// allow becomes one replacement character, so a bad byte never ends a text.
#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <string>

#include "platform/text.h"
#include "platform/text_best_fit.h"
#include "platform/utf8_append.h"

namespace platform {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (handle_ != reinterpret_cast<iconv_t>(-1)) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // `utf8Input`: a bad sequence is skipped whole, not byte by byte.
  // `clean`, when given, tells whether nothing had to be replaced.
  std::string Run(const std::string& input, const char* replacement, bool utf8Input,
                  bool* clean = nullptr) {
    std::string output;
    if (clean) *clean = handle_ != reinterpret_cast<iconv_t>(-1);
    if (handle_ == reinterpret_cast<iconv_t>(-1)) return output;
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
      char* out = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
      output.append(buffer, static_cast<std::size_t>(out - buffer));
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
        // EILSEQ or EINVAL (cut at the end): replace the character and go on.
        if (clean) *clean = false;
        output += replacement;
        std::size_t skip = 1;
        if (utf8Input) {
          const unsigned char lead = static_cast<unsigned char>(*in);
          skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
          for (std::size_t k = 1; k < skip; ++k) {
            if (k >= inLeft || (static_cast<unsigned char>(in[k]) & 0xC0) != 0x80) {
              skip = k;
              break;
            }
          }
        }
        in += skip;
        inLeft -= skip;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    return output;
  }

 private:
  iconv_t handle_;
};

bool IsAscii(const std::string& text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

// Every INI read converts its path, so plain ASCII skips iconv and the
// converters are opened once per thread.
std::string Utf8FromCp932(const std::string& text) {
  if (IsAscii(text)) return text;
  thread_local Converter converter("UTF-8", "CP932");
  return converter.Run(text, "\xEF\xBF\xBD", false);
}

std::string Cp932FromUtf8(const std::string& text) {
  if (IsAscii(text)) return text;
  thread_local Converter converter("CP932", "UTF-8");
  return converter.Run(WithCp932LookAlikes(text), "?", true);
}

// Decodes well-formed UTF-8 (as iconv writes it, or as paths are kept).
std::wstring WideFromUtf8(const std::string& text) {
  std::wstring out;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
    char32_t code = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
    ++i;
    for (; extra > 0 && i < text.size(); --extra, ++i) {
      code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    }
    out += static_cast<wchar_t>(code);
  }
  return out;
}

std::string Utf8FromWide(const std::wstring& text) {
  std::string utf8;
  for (const wchar_t c : text) AppendUtf8(utf8, static_cast<char32_t>(c));
  return utf8;
}

std::wstring WideFromCp932(const std::string& text) { return WideFromUtf8(Utf8FromCp932(text)); }

std::string Cp932FromWide(const std::wstring& text) {
  std::string utf8;
  for (const wchar_t c : text) {
    const char32_t code = static_cast<char32_t>(c);
    AppendUtf8(utf8, (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) ? U'?' : code);
  }
  return Cp932FromUtf8(utf8);
}

bool Cp932CanHold(const std::wstring& text) {
  std::string utf8;
  for (const wchar_t c : text) {
    const char32_t code = static_cast<char32_t>(c);
    // A look-alike is not the character: refused, as on Windows.
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    if (Cp932LookAlike(code) != code) return false;
    AppendUtf8(utf8, code);
  }
  if (IsAscii(utf8)) return true;
  thread_local Converter converter("CP932", "UTF-8");
  bool clean = false;
  converter.Run(utf8, "?", true, &clean);
  return clean;
}

}  // namespace platform
