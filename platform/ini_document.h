// The text of a private-profile (INI) file, read and edited as the Windows
// profile functions do. Pure string work: IniFile reads and writes the files
// around it, and the fuzz target feeds it arbitrary bytes. Names and values are
// CP932, or UTF-8 when IniFile edits a file in a Unicode encoding (every byte
// these functions look for is ASCII, which UTF-8 never uses inside a character).
#pragma once
#include <cstddef>
#include <string>

namespace platform {
namespace ini {

// The value of `key` in the first section named `section` (names compared
// without regard to ASCII case, blanks around them ignored). False when the
// section or the key is absent, or the key's line has no '='. The value comes
// back trimmed, with its quotes still on.
bool FindValue(const std::string& text, const char* section, const char* key,
               std::string& value);

// Copies `value` into out[0 .. size-1] the way the platform hands values out:
// a value wholly enclosed in matching single or double quotes loses them, then
// it is cut to size - 1 bytes and terminated. Returns the bytes copied.
std::size_t CopyValue(const std::string& value, char* out, std::size_t size);

// The default as the platform uses it: trailing blanks removed.
std::string TrimDefault(const char* def);

// Reads an integer the way the platform reads profile integers: leading
// control characters and blanks skipped, one sign, "0x", "0o" or "0b" picking
// the base, digits up to the first other character, wrapping on overflow.
unsigned ParseProfileInt(const std::string& text);

// Edits. Each returns true when the text changed. Lines the edit does not touch
// keep their bytes; new lines end in `newline` (CR LF in the files we create).
bool SetValue(std::string& text, const char* section, const char* key, const char* value,
              const char* newline = "\r\n");
bool DeleteKey(std::string& text, const char* section, const char* key);
bool DeleteSection(std::string& text, const char* section);

}  // namespace ini
}  // namespace platform
