// The platform's own profile functions. Sections, keys and values go through
// the A calls as they are: the file holds code-page-932 bytes, and the A calls
// keep bytes intact under code page 932 and under the single-byte ANSI code
// pages. Only the path needs care: its characters may not exist in the ANSI
// code page (a Japanese folder name on a Western system), so such a path is
// handed over in a form the ANSI code page can spell.
#include <windows.h>

#include <string>

#include "platform/profile.h"
#include "platform/text.h"
#include "platform/win32/handles.h"

namespace platform {
namespace {

bool IsAscii(const char* text) {
  for (; *text; ++text) {
    if (static_cast<unsigned char>(*text) >= 0x80) return false;
  }
  return true;
}

// The wide text in the ANSI code page; false when a character has no exact
// counterpart there.
bool AnsiFromWide(const std::wstring& wide, std::string& ansi) {
  ansi.clear();
  if (wide.empty()) return true;
  BOOL usedDefault = FALSE;
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr,
                                         0, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return false;
  ansi.assign(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, &ansi[0], length, nullptr,
                      &usedDefault);
  return !usedDefault;
}

std::wstring ShortPath(const std::wstring& path) {
  const DWORD length = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (length == 0) return std::wstring();
  std::wstring shortPath(length, L'\0');
  const DWORD written = GetShortPathNameW(path.c_str(), &shortPath[0], length);
  if (written == 0 || written >= length) return std::wstring();
  shortPath.resize(written);
  return shortPath;
}

// The path for the A calls. A path the ANSI code page cannot spell is given
// through its short (8.3) names; a file that does not exist yet is created
// empty first when it is about to be written. An empty result means "no such
// file" for reading.
std::string AnsiPath(const char* path, bool forWriting) {
  if (IsAscii(path) || GetACP() == 932) return path;
  const std::wstring wide = WideFromCp932(path);
  std::string ansi;
  if (AnsiFromWide(wide, ansi)) return ansi;
  const std::size_t slash = wide.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"." : wide.substr(0, slash);
  const std::wstring name = slash == std::wstring::npos ? wide : wide.substr(slash + 1);
  std::string ansiName;
  if (AnsiFromWide(name, ansiName)) {
    std::string ansiFolder;
    if (AnsiFromWide(ShortPath(folder), ansiFolder) && !ansiFolder.empty()) {
      return ansiFolder + "\\" + ansiName;
    }
    return std::string();
  }
  if (forWriting && GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES) {
    win32::File created(CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  std::string shortAnsi;
  if (AnsiFromWide(ShortPath(wide), shortAnsi) && !shortAnsi.empty()) return shortAnsi;
  return std::string();
}

}  // namespace

std::size_t ReadProfileString(const char* section, const char* key, const char* def,
                              char* out, std::size_t size, const char* path) {
  if (!out || size == 0) return 0;
  const std::string ansiPath = path ? AnsiPath(path, false) : std::string();
  // "?" cannot name a file: the call then answers as for a missing file.
  const char* usedPath = ansiPath.empty() ? "?" : ansiPath.c_str();
  const DWORD limit = size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(size);
  return GetPrivateProfileStringA(section, key, def, out, limit, usedPath);
}

unsigned ReadProfileInt(const char* section, const char* key, int def, const char* path) {
  const std::string ansiPath = path ? AnsiPath(path, false) : std::string();
  return GetPrivateProfileIntA(section, key, def, ansiPath.empty() ? "?" : ansiPath.c_str());
}

bool WriteProfileString(const char* section, const char* key, const char* value,
                        const char* path) {
  if (!section || !path) return false;
  const std::string ansiPath = AnsiPath(path, true);
  if (ansiPath.empty()) return false;
  return WritePrivateProfileStringA(section, key, value, ansiPath.c_str()) != FALSE;
}

}  // namespace platform
