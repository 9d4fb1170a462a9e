// A fresh folder for one test, removed with everything in it afterwards. Its
// path is UTF-8 and ends in a separator, like every path the program keeps;
// files in it are made and read back byte for byte.
#pragma once
#include <cstdio>
#include <filesystem>
#include <string>

#include "unit/test_host.h"

namespace testing_support {

class TempFolder {
 public:
  TempFolder() {
    static int counter = 0;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (;;) {
      std::filesystem::path candidate =
          base / ("horalune-test-" + std::to_string(Stamp()) + "-" + std::to_string(++counter));
      std::error_code error;
      if (std::filesystem::create_directory(candidate, error)) {
        host_ = candidate;
        break;
      }
    }
    path_ = Utf8FromHostPath(host_) + kPathSeparator;
  }
  ~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(host_, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path, UTF-8, ending in a separator.
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }

  static bool Write(const std::string& utf8Path, const std::string& bytes) {
    std::FILE* file = OpenHostFile(utf8Path, "wb");
    if (!file) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
  }

  static bool MakeFolder(const std::string& utf8Path) {
    std::error_code error;
    return std::filesystem::create_directory(HostPath(utf8Path), error);
  }

 private:
  static long long Stamp() { return ProcessId(); }
  std::filesystem::path host_;
  std::string path_;
};

}  // namespace testing_support
