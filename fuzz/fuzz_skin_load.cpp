// A whole skin from anywhere, loaded the way the clock loads one: the input is
// the skin's settings text followed by up to eight bitmap files, each part
// after a line "~~~"; the files are 0.bmp, 1.bmp, ... in a folder of their own.
// Whatever loads must compose, and a failed load must leave the clock as it was.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "platform/message_box.h"
#include "platform/bmp_decoder.h"
#include "render/clock_state.h"

namespace {

constexpr std::size_t kMaxFiles = 8;
const std::string kSeparator = "\n~~~\n";

std::string Folder() {
  static const std::string folder = [] {
    std::string path = "/tmp/horalune-fuzz-skin-" + std::to_string(getpid()) + "/";
    mkdir(path.c_str(), 0700);
    return path;
  }();
  return folder;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

// Pictures of a few megapixels are legal, but decoding them on every input
// would only slow the search down; the bounds themselves have unit tests.
bool ClaimsLargePicture(const std::string& bytes) {
  BmpProbe probe;
  if (!ProbeBmp(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), probe)) return false;
  return static_cast<std::int64_t>(probe.width) * probe.height > (std::int64_t{1} << 12);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool quiet = [] {
    platform::SetMessageSink([](const platform::Message&) { return platform::MessageAnswer::Ok; });
    return true;
  }();
  (void)quiet;

  const std::string input(reinterpret_cast<const char*>(data), size);
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
      if (ClaimsLargePicture(parts[i + 1])) return 0;
      if (!WriteFile(file, parts[i + 1])) return 0;
    } else {
      std::remove(file.c_str());
    }
  }
  const std::string skinPath = folder + "skin.HRL";
  if (!WriteFile(skinPath, parts[0])) return 0;

  ClockState clock;
  clock.skinPath = skinPath;
  clock.skinDirectory = folder;
  WindowShape shape;
  if (clock.LoadSkinData(shape)) {
    if (!clock.hasLayers || clock.layers.size() < 6) __builtin_trap();
    const PlanarImage& body = clock.layers[0];
    if (static_cast<std::size_t>(clock.hitMaskWidth) * clock.hitMaskHeight != clock.hitMask.size())
      __builtin_trap();
    if (clock.frame.width != body.width || clock.frame.height != body.height) __builtin_trap();
    clock.ComposeFrame();
    // A second load of a file that is now gone keeps what the first one loaded.
    const int width = clock.frame.width;
    std::remove(skinPath.c_str());
    if (clock.LoadSkinData(shape) || clock.frame.width != width) __builtin_trap();
  }
  return 0;
}
