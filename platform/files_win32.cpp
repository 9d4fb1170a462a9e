// File tests and reads through the wide-character calls, so that a
// code-page-932 path reaches the right file whatever the ANSI code page is.
#include <windows.h>
#include <io.h>

#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/text.h"

namespace platform {
namespace {

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

bool WriteAll(HANDLE file, const std::string& bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const std::size_t rest = bytes.size() - done;
    const DWORD chunk = rest > 0x10000000 ? 0x10000000 : static_cast<DWORD>(rest);
    DWORD count = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &count, nullptr) || count != chunk) return false;
    done += count;
  }
  return true;
}

}  // namespace

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

bool WriteFileSafely(const char* path, const std::string& bytes) {
  if (!path || !*path) return false;
  const std::wstring target = WideFromCp932(path);
  const std::wstring temporary = target + L".new";
  bool written = false;
  {
    const HANDLE raw = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) return false;
    FileHandle file(raw);
    written = WriteAll(file.get(), bytes);
  }  // closed before the move
  // ReplaceFileW keeps the old file's attributes and security; a read-only
  // file stays as it is (both calls refuse it).
  const bool exists = GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
  const bool replaced =
      written && (exists ? ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                        REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                         : MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH));
  if (replaced) return true;
  DeleteFileW(temporary.c_str());
  return false;
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
