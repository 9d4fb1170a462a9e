// Conversions with the platform's own code page 932 tables, whatever the
// system's ANSI code page is.
#include <windows.h>

#include <string>

#include "platform/text.h"
#include "platform/text_best_fit.h"

namespace platform {
namespace {

constexpr UINT kCp932 = 932;

std::wstring WideFrom(UINT codePage, const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], length);
  return wide;
}

std::string BytesFrom(UINT codePage, const std::wstring& text, DWORD flags = 0) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string();
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), size, &bytes[0], length, nullptr, nullptr);
  return bytes;
}

// Our look-alike table in place of the platform's best fit, so that both
// builds give the same bytes.
std::string Cp932From(const std::wstring& text) {
  return BytesFrom(kCp932, WithCp932LookAlikes(text), WC_NO_BEST_FIT_CHARS);
}

}  // namespace

std::string Utf8FromCp932(const std::string& text) { return BytesFrom(CP_UTF8, WideFrom(kCp932, text)); }
std::string Cp932FromUtf8(const std::string& text) { return Cp932From(WideFrom(CP_UTF8, text)); }
std::wstring WideFromCp932(const std::string& text) { return WideFrom(kCp932, text); }
std::string Cp932FromWide(const std::wstring& text) { return Cp932From(text); }
std::wstring WideFromUtf8(const std::string& text) { return WideFrom(CP_UTF8, text); }
std::string Utf8FromWide(const std::wstring& text) { return BytesFrom(CP_UTF8, text); }

bool Cp932CanHold(const std::wstring& text) {
  if (text.empty()) return true;
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         &usedDefault);
  return length > 0 && !usedDefault;
}

}  // namespace platform
