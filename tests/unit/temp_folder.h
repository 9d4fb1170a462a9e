// A fresh folder for one test, removed with everything in it afterwards. Its
// path is UTF-8 and ends in a separator, like every path the program keeps;
// files in it are made and read back byte for byte.
#pragma once
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/text.h"
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>

#include "platform/native/native_path.h"
#endif

namespace testing_support {

inline std::filesystem::path HostPath(const std::string& utf8Path) {
#ifdef _WIN32
  return std::filesystem::path(platform::WideFromUtf8(utf8Path));
#else
  return std::filesystem::path(platform::NativePath(utf8Path.c_str()));
#endif
}

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
#ifdef _WIN32
    path_ = platform::Utf8FromWide(host_.wstring()) + "\\";
#else
    path_ = host_.string() + "/";
#endif
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
#ifdef _WIN32
    std::FILE* file = _wfopen(HostPath(utf8Path).c_str(), L"wb");
#else
    std::FILE* file = std::fopen(HostPath(utf8Path).c_str(), "wb");
#endif
    if (!file) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
  }

  static bool MakeFolder(const std::string& utf8Path) {
    std::error_code error;
    return std::filesystem::create_directory(HostPath(utf8Path), error);
  }

 private:
  static long long Stamp() {
#ifdef _WIN32
    return static_cast<long long>(_getpid());
#else
    return static_cast<long long>(getpid());
#endif
  }
  std::filesystem::path host_;
  std::string path_;
};

}  // namespace testing_support
