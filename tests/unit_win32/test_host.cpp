// The Windows side of the test helpers' seam (tests/unit/test_host.h).
#include "unit/test_host.h"

#include <process.h>

#include <string>

#include "platform/text.h"

namespace testing_support {

const char kPathSeparator = '\\';

std::filesystem::path HostPath(const std::string& utf8Path) {
  return std::filesystem::path(platform::WideFromUtf8(utf8Path));
}

std::string Utf8FromHostPath(const std::filesystem::path& path) {
  return platform::Utf8FromWide(path.wstring());
}

std::FILE* OpenHostFile(const std::string& utf8Path, const char* mode) {
  const std::string narrow(mode);
  return _wfopen(HostPath(utf8Path).c_str(), std::wstring(narrow.begin(), narrow.end()).c_str());
}

long long ProcessId() { return static_cast<long long>(_getpid()); }

// Wine's drive Z: is the Linux root the build knows the tree by.
std::string SourceTree() {
  std::string root = HORALUNE_SOURCE_DIR;
  if (!root.empty() && root[0] == '/') root = "Z:" + root;
  for (char& c : root) {
    if (c == '/') c = '\\';
  }
  return root;
}

const char* TestProgramFileName() { return "horalune_tests.exe"; }

bool FileNamesMayHoldAngleBrackets() { return false; }

}  // namespace testing_support
