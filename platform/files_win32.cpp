// File tests and reads through the wide-character calls, so that a
// code-page-932 path reaches the right file whatever the ANSI code page is.
#include <windows.h>
#include <io.h>

#include <string>

#include "platform/files.h"
#include "platform/text.h"

namespace platform {

bool FileExists(const char* path) { return path && _waccess(WideFromCp932(path).c_str(), 0) == 0; }
bool FileReadable(const char* path) { return path && _waccess(WideFromCp932(path).c_str(), 4) == 0; }
bool FileReadWritable(const char* path) {
  return path && _waccess(WideFromCp932(path).c_str(), 6) == 0;
}

bool CreateEmptyFile(const char* path) {
  if (!path) return false;
  HANDLE file = CreateFileW(WideFromCp932(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return FileExists(path);
}

bool ReadWholeFile(const char* path, std::string& bytes) {
  bytes.clear();
  if (!path) return false;
  HANDLE file = CreateFileW(WideFromCp932(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  // Room for the whole file at once: growing by doubling copies a large
  // picture several times over.
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (LONGLONG{1} << 31)) {
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  }
  bool ok = true;
  char buffer[65536];
  for (;;) {
    DWORD count = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &count, nullptr)) {
      ok = false;
      break;
    }
    if (count == 0) break;
    bytes.append(buffer, count);
  }
  CloseHandle(file);
  return ok;
}

std::string ProgramDirectory() {
  std::wstring self(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, &self[0], static_cast<DWORD>(self.size()));
    if (length == 0) return ".\\";
    if (length < self.size()) {
      self.resize(length);
      break;
    }
    self.resize(self.size() * 2);  // a long path: try again with more room
  }
  const std::string path = Cp932FromWide(self);
  const std::size_t slash = LastBackslash(path);
  return slash == std::string::npos ? ".\\" : path.substr(0, slash + 1);
}

}  // namespace platform
