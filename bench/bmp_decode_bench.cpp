// Decoding a skin-sized picture: once per skin load, so milliseconds are fine.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/bmp_decoder.h"
#include "skin/bmp_writer.h"

namespace {

std::string Picture24(int side) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(side) * side);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFF;
  return EncodeBmp24(side, side, pixels.data());
}

void BM_DecodeBmp24(benchmark::State& state) {
  const std::string file = Picture24(static_cast<int>(state.range(0)));
  platform::BitmapPixels out;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeBmp(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), out));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_DecodeBmp24)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace
