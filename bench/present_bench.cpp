// The presentation pass (frame through a colour effect into the 32-bit rows
// the window is painted from), per effect and frame size.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "render/colour_effects.h"

namespace {

// A frame with smooth gradients and some noise, like a clock picture.
PlanarImage MakeBenchFrame(int size) {
  PlanarImage frame;
  frame.width = size;
  frame.height = size;
  frame.hasPlanes = true;
  const std::size_t n = static_cast<std::size_t>(size) * static_cast<std::size_t>(size);
  frame.red.resize(n);
  frame.green.resize(n);
  frame.blue.resize(n);
  std::mt19937 random(42);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(size) + static_cast<std::size_t>(x);
      const unsigned noise = random() & 15u;
      frame.red[i] = static_cast<std::uint8_t>((x * 255 / size + noise) & 0xFF);
      frame.green[i] = static_cast<std::uint8_t>((y * 255 / size + noise) & 0xFF);
      frame.blue[i] = static_cast<std::uint8_t>(((x + y) * 127 / size + noise) & 0xFF);
    }
  }
  return frame;
}

void BM_Present(benchmark::State& state) {
  const int effect = static_cast<int>(state.range(0));
  const int size = static_cast<int>(state.range(1));
  const PlanarImage frame = MakeBenchFrame(size);
  std::vector<std::uint32_t> rows;
  for (auto _ : state) {
    RenderPresentation(frame, effect, rows);
    benchmark::DoNotOptimize(rows.data());
    benchmark::ClobberMemory();
  }
  static const char* const names[] = {"Normal", "Negative", "Solarization", "Grayscale",
                                      "Gold", "Sepia", "Emboss"};
  state.SetLabel(names[effect]);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(size) * size);
}

// Every effect at the two sizes the clock is measured at.
void PresentArgs(benchmark::internal::Benchmark* b) {
  for (int size : {1024, 200}) {
    for (int effect = Normal; effect <= Emboss; ++effect) b->Args({effect, size});
  }
}

}  // namespace

BENCHMARK(BM_Present)->Apply(PresentArgs)->Unit(benchmark::kMicrosecond);
