// File tests and reads through the wide-character calls: a UTF-8 path becomes
// UTF-16 here and reaches the right file whatever the ANSI code page is.
#include <windows.h>
#include <io.h>

#include <string>

#include "platform/files.h"
#include "platform/win32/file_replace.h"
#include "platform/win32/handles.h"
#include "platform/text.h"

namespace platform {

bool FileExists(const char* utf8Path) {
  return PathFits(utf8Path) && _waccess(WideFromUtf8(utf8Path).c_str(), 0) == 0;
}
bool FileReadable(const char* utf8Path) {
  return PathFits(utf8Path) && _waccess(WideFromUtf8(utf8Path).c_str(), 4) == 0;
}
bool FileReadWritable(const char* utf8Path) {
  return PathFits(utf8Path) && _waccess(WideFromUtf8(utf8Path).c_str(), 6) == 0;
}

bool CreateEmptyFile(const char* utf8Path) {
  if (!PathFits(utf8Path)) return false;
  win32::File created(CreateFileW(WideFromUtf8(utf8Path).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                  nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  return FileExists(utf8Path);
}

bool ReadWholeFile(const char* utf8Path, std::string& bytes) {
  bytes.clear();
  if (!PathFits(utf8Path)) return false;
  // Sharing delete too: another program may replace the file while we read.
  win32::File file(CreateFileW(WideFromUtf8(utf8Path).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  // Room for the whole file at once: growing by doubling copies a large
  // picture several times over.
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0 && size.QuadPart < (LONGLONG{1} << 31)) {
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  }
  char buffer[65536];
  for (;;) {
    DWORD count = 0;
    if (!ReadFile(file.Get(), buffer, sizeof buffer, &count, nullptr)) return false;
    if (count == 0) return true;
    bytes.append(buffer, count);
  }
}

namespace {

BOOL RealReplaceFile(const wchar_t* replaced, const wchar_t* replacement) {
  // ReplaceFileW keeps the old file's attributes and security; a read-only
  // file stays as it is (it refuses it).
  return ReplaceFileW(replaced, replacement, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                      nullptr);
}

ReplaceFileCall replaceFile = RealReplaceFile;

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Writes and flushes to the disk; false when any byte or the flush failed.
bool WriteAndFlush(const std::wstring& path, const std::string& bytes) {
  if (bytes.size() > 0x7FFFFFFFu) return false;
  win32::File file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                   nullptr) &&
         written == bytes.size() && FlushFileBuffers(file.Get());
}

}  // namespace

void SetReplaceFileCall(ReplaceFileCall call) { replaceFile = call ? call : RealReplaceFile; }

bool WriteWholeFile(const char* utf8Path, const std::string& bytes) {
  if (!PathFits(utf8Path) || bytes.size() > 0x7FFFFFFFu) return false;
  win32::File file(CreateFileW(WideFromUtf8(utf8Path).c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

bool WriteFileSafely(const char* utf8Path, const std::string& bytes) {
  if (!PathFits(utf8Path) || !*utf8Path) return false;
  const std::string beside = PathWrittenBeside(utf8Path);
  if (!PathFits(beside.c_str())) return false;
  const std::wstring target = WideFromUtf8(utf8Path);
  const std::wstring temporary = WideFromUtf8(beside);
  if (!WriteAndFlush(temporary, bytes)) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  if (Exists(target) ? replaceFile(target.c_str(), temporary.c_str())
                     : MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  // A replace can fail after the old file is gone (ERROR_UNABLE_TO_MOVE_
  // REPLACEMENT): the new file is then the only copy, and takes the name.
  if (!Exists(target)) {
    return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
  }
  DeleteFileW(temporary.c_str());
  return false;
}

void PauseBeforeRetry(int attempt) { Sleep(static_cast<DWORD>(10 * attempt)); }

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
  const std::string path = Utf8FromWide(self);
  const std::size_t slash = LastPathSeparator(path);
  return slash == std::string::npos ? ".\\" : path.substr(0, slash + 1);
}

}  // namespace platform
