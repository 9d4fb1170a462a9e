// The text of a private-profile (INI) file, read and edited as the Windows
// profile functions do. Pure string work: IniFile reads and writes the files
// around it, and the fuzz target feeds it arbitrary bytes. Names and values are
// CP932, or UTF-8 when IniFile edits a file in a Unicode encoding.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace platform {
namespace ini {

// How a text is scanned. CP932 goes character by character: the second byte of
// a character may be ']' (江 is 0x8D 0x5D) or an ASCII letter, and is neither.
// UTF-8 goes byte by byte: every byte looked for is ASCII, which UTF-8 never
// uses inside a character.
enum class Charset { Cp932, Utf8 };

// The value of `key` in the first section named `section` (names compared
// without regard to ASCII case, blanks around them ignored). False when the
// section or the key is absent, or the key's line has no '='. The value comes
// back trimmed, with its quotes still on.
bool FindValue(const std::string& text, const char* section, const char* key,
               std::string& value, Charset charset = Charset::Cp932);

// The names of the keys of the first section named `section`, in file order
// (lines without '=' left out).
std::vector<std::string> KeyNames(const std::string& text, const char* section,
                                  Charset charset = Charset::Cp932);

// Copies `value` (CP932) into out[0 .. size-1] the way the platform hands
// values out: it ends at a NUL byte; a value wholly enclosed in matching single
// or double quotes loses them (and, as the platform does, its last character
// too when the buffer is exactly one byte longer than what is inside); then it
// is cut to size - 1 bytes, never inside a character, and terminated. Returns
// the bytes copied.
std::size_t CopyValue(const std::string& value, char* out, std::size_t size);

// The default as the platform uses it: trailing blanks removed.
std::string TrimDefault(const char* def);

// Reads an integer the way the platform reads profile integers: leading
// control characters and blanks skipped, one sign, "0x", "0o" or "0b" picking
// the base, digits up to the first other character, wrapping on overflow.
unsigned ParseProfileInt(const std::string& text);

// Edits. Each returns true when the text changed. Lines the edit does not touch
// keep their bytes; new lines end in `newline` (CR LF in the files we create).
// New section and key names are written as given, blanks included, as the
// platform writes them.
bool SetValue(std::string& text, const char* section, const char* key, const char* value,
              const char* newline = "\r\n", Charset charset = Charset::Cp932);
bool DeleteKey(std::string& text, const char* section, const char* key,
               Charset charset = Charset::Cp932);
bool DeleteSection(std::string& text, const char* section, Charset charset = Charset::Cp932);

}  // namespace ini
}  // namespace platform
