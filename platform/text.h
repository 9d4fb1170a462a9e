// Code page 932 is the program's one text encoding. These conversions are the
// only place it meets the rest of the world: UTF-16 for the screen on Windows,
// UTF-8 for the terminal and the native file system.
#pragma once
#include <string>

namespace platform {

std::string Utf8FromCp932(const std::string& text);
std::string Cp932FromUtf8(const std::string& text);
std::wstring WideFromCp932(const std::string& text);
std::string Cp932FromWide(const std::wstring& text);

// UTF-8 paths and the operating system's wide strings (UTF-16 on Windows),
// both ways without loss.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);

// True when code page 932 holds every character of `text` as itself (no '?',
// no look-alike): such text survives Cp932FromWide and back unchanged.
bool Cp932CanHold(const std::wstring& text);

// True when byte c starts a two-byte character in code page 932.
inline bool IsCp932LeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Position of the last backslash in code-page-932 text (a name from a data
// file; UTF-8 paths use LastPathSeparator), scanning character by character
// (the second byte of a character may be 0x5C); std::string::npos when none.
std::size_t LastBackslash(const std::string& path);

// Cuts text to at most maxBytes without splitting a two-byte character.
std::string CutAtCharBoundary(const std::string& text, std::size_t maxBytes);

}  // namespace platform
