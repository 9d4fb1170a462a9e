// File tests with the platform's access() semantics, on code-page-932 paths.
#pragma once
#include <string>

namespace platform {

bool FileExists(const char* path);         // access(path, 0)
bool FileReadable(const char* path);       // access(path, 4)
bool FileReadWritable(const char* path);   // access(path, 6)

// Creates an empty file when none exists; true when the file exists afterwards.
bool CreateEmptyFile(const char* path);

// Reads a whole file; false when it cannot be opened.
bool ReadWholeFile(const char* path, std::string& bytes);

// Writes a whole file: the bytes go to a new file beside it, which then takes
// the old one's place, so a failed write never leaves half a file behind.
bool WriteFileSafely(const char* path, const std::string& bytes);

// The drive and directory of the running executable, ending in a backslash.
std::string ProgramDirectory();

}  // namespace platform
