#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/files.h"
#include "platform/native/native_path.h"

namespace platform {

bool FileExists(const char* utf8Path) {
  return PathFits(utf8Path) && access(NativePath(utf8Path).c_str(), F_OK) == 0;
}
bool FileReadable(const char* utf8Path) {
  return PathFits(utf8Path) && access(NativePath(utf8Path).c_str(), R_OK) == 0;
}
bool FileReadWritable(const char* utf8Path) {
  return PathFits(utf8Path) && access(NativePath(utf8Path).c_str(), R_OK | W_OK) == 0;
}

bool CreateEmptyFile(const char* utf8Path) {
  if (!PathFits(utf8Path)) return false;
  // "ab" creates the file when missing and leaves an existing one untouched.
  if (std::FILE* file = std::fopen(NativePath(utf8Path).c_str(), "ab")) std::fclose(file);
  return FileExists(utf8Path);
}

bool ReadWholeFile(const char* utf8Path, std::string& bytes) {
  bytes.clear();
  if (!PathFits(utf8Path)) return false;
  std::FILE* file = std::fopen(NativePath(utf8Path).c_str(), "rb");
  if (!file) return false;
  // Room for the whole file at once: growing by doubling copies a large
  // picture several times over. A folder opens too, and reports a size of
  // nearly 2^63: only a plausible size is taken at its word.
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long size = std::ftell(file);
    if (size > 0 && size < (1L << 31)) bytes.reserve(static_cast<std::size_t>(size));
    std::rewind(file);
  }
  char buffer[65536];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return !failed;
}

namespace {

// Writes and flushes to the disk; false when any byte or the flush failed.
bool WriteAndFlush(const std::string& nativePath, const std::string& bytes) {
  const int file = open(nativePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (file < 0) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t count = write(file, bytes.data() + done, bytes.size() - done);
    if (count <= 0) break;
    done += static_cast<std::size_t>(count);
  }
  const bool flushed = done == bytes.size() && fsync(file) == 0;
  return close(file) == 0 && flushed;
}

// The folder's entry for a renamed file reaches the disk only with the folder.
void FlushFolderOf(const std::string& nativePath) {
  const std::size_t slash = nativePath.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : nativePath.substr(0, slash + 1);
  const int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle < 0) return;
  fsync(handle);
  close(handle);
}

}  // namespace

bool WriteWholeFile(const char* utf8Path, const std::string& bytes) {
  if (!PathFits(utf8Path)) return false;
  std::FILE* file = std::fopen(NativePath(utf8Path).c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

bool WriteFileSafely(const char* utf8Path, const std::string& bytes) {
  if (!PathFits(utf8Path) || !*utf8Path) return false;
  const std::string beside = PathWrittenBeside(utf8Path);
  if (!PathFits(beside.c_str())) return false;
  const std::string target = NativePath(utf8Path);
  const std::string temporary = NativePath(beside.c_str());
  // rename replaces in one step: the old file stays whole until it does.
  if (WriteAndFlush(temporary, bytes) && std::rename(temporary.c_str(), target.c_str()) == 0) {
    FlushFolderOf(target);
    return true;
  }
  std::remove(temporary.c_str());
  return false;
}

void PauseBeforeRetry(int attempt) {
  std::this_thread::sleep_for(std::chrono::milliseconds(10 * attempt));
}

// The executable's folder in the program's own convention: UTF-8,
// backslashes, a trailing backslash. NativePath turns it back.
std::string ProgramDirectory() {
  std::string self(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", &self[0], self.size());
  if (length <= 0) return ".\\";
  self.resize(static_cast<std::size_t>(length));
  const std::size_t slash = self.rfind('/');
  std::string directory = self.substr(0, slash + 1);
  for (char& c : directory) {
    if (c == '/') c = '\\';  // UTF-8 never uses 0x2F inside a character
  }
  return directory;
}

}  // namespace platform
