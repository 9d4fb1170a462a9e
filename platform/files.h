// The one place paths meet the operating system. A path in memory is UTF-8 in
// both builds, folders separated by backslashes: the Windows side hands it to
// the W calls as UTF-16, the native side to the file system as it is. Names
// read from data files are code page 932 text and become paths here.
#pragma once
#include <cstddef>
#include <string>

namespace platform {

// The longest path a file call takes, in UTF-16 code units (a character above
// U+FFFF counts two). A longer path names no file: every call here treats it as
// missing. It is never cut, since a cut path can name another, existing file.
constexpr std::size_t kMaxPathUnits = 259;

// The UTF-16 code units of UTF-8 text.
std::size_t Utf16Units(const char* utf8);
inline bool PathFits(const char* utf8Path) {
  return utf8Path != nullptr && Utf16Units(utf8Path) <= kMaxPathUnits;
}

// The folder (UTF-8) immediately followed by a name read from a data file (code
// page 932, converted as such whatever the system's code page); empty (no
// file) when that is too long.
std::string JoinPath(const std::string& utf8Folder, const std::string& cp932Name);

// A whole path read from a data file (code page 932) as a path; empty (no file)
// when it is too long.
std::string PathFromCp932(const std::string& cp932Path);

// Position of the last backslash of a UTF-8 path; std::string::npos when there
// is none. UTF-8 never uses 0x5C inside a character, so a plain search is right.
std::size_t LastPathSeparator(const std::string& utf8Path);

// The settings file beside the program: alarms, the start-up skin, the data folder.
constexpr char kSettingsFileName[] = "Horalune.DAT";
std::string SettingsFilePath(const std::string& utf8ProgramDirectory);

bool FileExists(const char* utf8Path);         // access(path, 0)
bool FileReadable(const char* utf8Path);       // access(path, 4)
bool FileReadWritable(const char* utf8Path);   // access(path, 6)

// Creates an empty file when none exists; true when the file exists afterwards.
bool CreateEmptyFile(const char* utf8Path);

// Writes a whole file, replacing what was there; false when any byte failed.
bool WriteWholeFile(const char* utf8Path, const std::string& bytes);

// Reads a whole file; false when it cannot be opened.
bool ReadWholeFile(const char* utf8Path, std::string& bytes);

// Writes a whole file: the bytes go to a new file beside it, flushed to the
// disk, which then takes the old one's place, so neither a failed write nor a
// power cut leaves half a file behind. Whatever fails, a whole file (the old
// or the new) stays under the file's name, and the only copy is never deleted.
bool WriteFileSafely(const char* utf8Path, const std::string& bytes);

// The file a safe write makes beside `utf8Path`: its name with the extension
// replaced by "~" ("Horalune.DAT" -> "Horalune.~"), so that it is no longer
// than the file's own path when that has an extension; a name without one
// gets ".~" added.
std::string PathWrittenBeside(const std::string& utf8Path);

// Waits a little before another try at a file that was busy: longer with
// each attempt (1, 2, ...), never more than a fraction of a second in all.
void PauseBeforeRetry(int attempt);

// The drive and directory of the running executable (UTF-8), ending in a
// backslash.
std::string ProgramDirectory();

}  // namespace platform
