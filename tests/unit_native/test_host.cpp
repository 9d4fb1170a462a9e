// The native side of the test helpers' seam (tests/unit/test_host.h).
#include "unit/test_host.h"

#include <unistd.h>

#include "platform/native/native_path.h"
#include "unit/wine_check.h"

namespace testing_support {

const char kPathSeparator = '/';

std::filesystem::path HostPath(const std::string& utf8Path) {
  return std::filesystem::path(platform::NativePath(utf8Path.c_str()));
}

std::string Utf8FromHostPath(const std::filesystem::path& path) { return path.string(); }

std::FILE* OpenHostFile(const std::string& utf8Path, const char* mode) {
  return std::fopen(HostPath(utf8Path).c_str(), mode);
}

long long ProcessId() { return static_cast<long long>(getpid()); }

std::string SourceTree() { return HORALUNE_SOURCE_DIR; }

const char* TestProgramFileName() { return "horalune_tests"; }

bool FileNamesMayHoldAngleBrackets() { return true; }

}  // namespace testing_support

bool RunningUnderWine() { return false; }
