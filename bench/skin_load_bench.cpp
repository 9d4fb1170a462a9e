// Loading a large animated skin: a 1024 x 1024 body and 100 dial frames of
// the same size, each with its own mask, all 24-bit bitmaps (600 MB). The
// files are written once into a temporary folder and removed at the end; the
// loads read them from the page cache, as a clock started again would.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "skin/bmp_writer.h"
#include "render/clock_state.h"
#include "skin/window_shape.h"

namespace {

constexpr int kSide = 1024;
constexpr int kFrames = 100;

bool WritePicture(const std::filesystem::path& file, int seed) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kSide) * kSide);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = static_cast<std::uint32_t>((i + static_cast<std::size_t>(seed)) * 2654435761u) & 0xFFFFFFu;
  }
  return WriteBmp24(file.string().c_str(), kSide, kSide, pixels.data());
}

std::filesystem::path MakeSkin() {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "horalune-bench-skin";
  std::filesystem::create_directories(folder);
  std::string ini = "[Initialize]\r\nTitle=Bench\r\nAnimation=100\r\n[Body]\r\nGraph=body.bmp\r\n[Dial]\r\n";
  bool ok = WritePicture(folder / "body.bmp", 0);
  for (int k = 0; k < kFrames && ok; ++k) {
    char graph[32], mask[32];
    std::snprintf(graph, sizeof graph, "dial%02d.bmp", k);
    std::snprintf(mask, sizeof mask, "dial%02d_mask.bmp", k);
    ok = WritePicture(folder / graph, 1 + k) && WritePicture(folder / mask, 1000 + k);
    char keys[96];
    std::snprintf(keys, sizeof keys, "Graph%02d=%s\r\nMask%02d=%s\r\n", k, graph, k, mask);
    ini += keys;
  }
  if (std::FILE* f = std::fopen((folder / "Bench.HRL").string().c_str(), "wb")) {
    ok = ok && std::fwrite(ini.data(), 1, ini.size(), f) == ini.size();
    ok = std::fclose(f) == 0 && ok;
  } else {
    ok = false;
  }
  return ok ? folder : std::filesystem::path();
}

void BM_LoadHundredFrameSkin(benchmark::State& state) {
  platform::SetMessageSink([](const platform::Message&) { return platform::MessageAnswer::Ok; });
  const std::filesystem::path folder = MakeSkin();
  if (folder.empty()) {
    state.SkipWithError("cannot write the skin");
    return;
  }
  for (auto _ : state) {
    ClockState clock;
    clock.skinDirectory = folder.string() + "/";
    clock.skinPath = (folder / "Bench.HRL").string();
    WindowShape shape;
    if (!clock.LoadSkinData(shape)) {
      state.SkipWithError("the skin does not load");
      break;
    }
    benchmark::DoNotOptimize(clock.layers.data());
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}
BENCHMARK(BM_LoadHundredFrameSkin)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
