// A whole skin from a fuzzer's input, written out the way the clock finds one:
// the skin's settings text followed by up to eight bitmap files, each part
// after a line "~~~"; the files are 0.bmp, 1.bmp, ... in a folder of their own.
#pragma once
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "platform/bmp_decoder.h"
#include "platform/message_box.h"
#include "skin/display_scale.h"

namespace fuzzskin {

constexpr std::size_t kMaxFiles = 8;

inline std::string Folder() {
  static const std::string folder = [] {
    std::string path = "/tmp/horalune-fuzz-skin-" + std::to_string(getpid()) + "/";
    mkdir(path.c_str(), 0700);
    return path;
  }();
  return folder;
}

inline bool WriteFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

// Pictures of a few megapixels are legal, but decoding and scaling them on
// every input would only slow the search down; the bounds have unit tests.
inline bool ClaimsLargePicture(const std::string& bytes) {
  BmpProbe probe;
  if (!ProbeBmp(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), probe)) return false;
  return static_cast<std::int64_t>(probe.width) * probe.height > (std::int64_t{1} << 12);
}

// A display scale from one input byte: 0 is 96 dpi (100 %), 255 is 480 (500 %).
inline int DpiFromByte(std::uint8_t byte) { return kMinDpi + byte * (kMaxDpi - kMinDpi) / 255; }

// Message boxes go nowhere.
inline void Quiet() {
  static const bool done = [] {
    platform::SetMessageSink([](const platform::Message&) { return platform::MessageAnswer::Ok; });
    return true;
  }();
  (void)done;
}

// Writes the skin of `input` into Folder(); the path of its settings file, or
// "" for an input not worth loading.
inline std::string WriteSkin(const std::string& input) {
  static const std::string kSeparator = "\n~~~\n";
  std::vector<std::string> parts;
  for (std::size_t at = 0;;) {
    const std::size_t next = input.find(kSeparator, at);
    parts.push_back(input.substr(at, next == std::string::npos ? std::string::npos : next - at));
    if (next == std::string::npos || parts.size() > kMaxFiles) break;
    at = next + kSeparator.size();
  }
  const std::string folder = Folder();
  for (std::size_t i = 0; i < kMaxFiles; ++i) {
    const std::string file = folder + std::to_string(i) + ".bmp";
    if (i + 1 < parts.size()) {
      if (ClaimsLargePicture(parts[i + 1])) return "";
      if (!WriteFile(file, parts[i + 1])) return "";
    } else {
      std::remove(file.c_str());
    }
  }
  const std::string skinPath = folder + "skin.HRL";
  if (!WriteFile(skinPath, parts[0])) return "";
  return skinPath;
}

}  // namespace fuzzskin
