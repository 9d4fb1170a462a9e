// File tests with the platform's access() semantics, on code-page-932 paths.
#pragma once
#include <cstddef>
#include <string>

namespace platform {

// The longest path a file call takes, in bytes of code page 932. A longer path
// names no file: every call here treats it as missing. It is never cut, since
// a cut path can name another, existing file.
constexpr std::size_t kMaxPathBytes = 259;
inline bool PathFits(const char* path) {
  return path != nullptr && std::char_traits<char>::length(path) <= kMaxPathBytes;
}

// folder immediately followed by name; empty (no file) when that is too long.
std::string JoinPath(const std::string& folder, const std::string& name);

// The settings file beside the program: alarms, the start-up skin, the data folder.
constexpr char kSettingsFileName[] = "Horalune.DAT";
std::string SettingsFilePath(const std::string& programDirectory);

bool FileExists(const char* path);         // access(path, 0)
bool FileReadable(const char* path);       // access(path, 4)
bool FileReadWritable(const char* path);   // access(path, 6)

// Creates an empty file when none exists; true when the file exists afterwards.
bool CreateEmptyFile(const char* path);

// Writes a whole file, replacing what was there; false when any byte failed.
bool WriteWholeFile(const char* path, const std::string& bytes);

// Reads a whole file; false when it cannot be opened.
bool ReadWholeFile(const char* path, std::string& bytes);

// Writes a whole file: the bytes go to a new file beside it, which then takes
// the old one's place, so a failed write never leaves half a file behind.
bool WriteFileSafely(const char* path, const std::string& bytes);

// The drive and directory of the running executable, ending in a backslash.
std::string ProgramDirectory();

}  // namespace platform
