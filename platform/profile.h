// Private-profile (INI) files, one call at a time: the program's configuration
// and skin files, read and written by our own implementation (IniFile) in both
// builds, with the results of the Windows profile functions.
// All texts and paths are code-page-932 bytes.
#pragma once
#include <cstddef>
#include <string>

// <windows.h> maps this name to WriteProfileStringW; the program never means
// that one, and a file including both would otherwise miss ours.
#ifdef WriteProfileString
#undef WriteProfileString
#endif

namespace platform {

// Copies the value (or `def` when the key is absent) into `out`, cut to
// `size` - 1 bytes and zero-terminated. Returns the number of bytes copied.
std::size_t ReadProfileString(const char* section, const char* key, const char* def,
                              char* out, std::size_t size, const char* path);

// Convenience form: the value as read into a buffer of `bufferSize` bytes.
std::string ReadProfileString(const char* section, const char* key, const char* def,
                              const char* path, std::size_t bufferSize = 256);

// The integer as the Windows profile functions read it, unsigned as they return it.
unsigned ReadProfileInt(const char* section, const char* key, int def, const char* path);

// key == nullptr deletes the whole section; value == nullptr deletes the key.
bool WriteProfileString(const char* section, const char* key, const char* value,
                        const char* path);

}  // namespace platform
