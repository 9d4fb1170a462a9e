// The presentation pass (frame through a colour effect into the 32-bit rows
// the window is painted from) per effect, and a whole frame (compose and
// present) on the generated skins and on the bundled skin.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bench_skin.h"
#include "platform/message_box.h"
#include "platform/program_arguments.h"
#include "render/colour_effects.h"
#include "render/luma_avx2.h"
#include "skin/window_shape.h"

namespace {

const char* const kEffectNames[] = {"Normal", "Negative", "Solarization", "Grayscale",
                                    "Gold",   "Sepia",    "Emboss"};

// The presentation alone, on a composed frame of the generated skin.
void BM_Present(benchmark::State& state) {
  const int effect = static_cast<int>(state.range(0));
  const int size = static_cast<int>(state.range(1));
  ClockState clock;
  MakeBenchSkin(clock, size, true);
  clock.ComposeFrame();
  std::vector<std::uint32_t> rows;
  for (auto _ : state) {
    RenderPresentation(clock.frame, effect, rows);
    benchmark::DoNotOptimize(rows.data());
    benchmark::ClobberMemory();
  }
  state.SetLabel(kEffectNames[effect]);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(size) * size);
}

void PresentArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"effect", "size"});
  for (int size : {1024, 200}) {
    for (int effect = Normal; effect <= Emboss; ++effect) b->Args({effect, size});
  }
}
BENCHMARK(BM_Present)->Apply(PresentArgs)->Unit(benchmark::kMicrosecond);

// The presentation of a layered window: premultiplied by a round clock's
// soft-edged alpha (compare with BM_Present of the same effect and size).
void BM_PresentWithAlpha(benchmark::State& state) {
  const int effect = static_cast<int>(state.range(0));
  const int size = static_cast<int>(state.range(1));
  ClockState clock;
  MakeBenchSkin(clock, size, true);
  clock.ComposeFrame();
  const std::vector<std::uint8_t> alpha = BenchWindowAlpha(size);
  std::vector<std::uint32_t> rows;
  for (auto _ : state) {
    RenderPremultipliedPresentation(clock.frame, alpha, effect, rows);
    benchmark::DoNotOptimize(rows.data());
    benchmark::ClobberMemory();
  }
  state.SetLabel(kEffectNames[effect]);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(size) * size);
}
BENCHMARK(BM_PresentWithAlpha)->Apply(PresentArgs)->Unit(benchmark::kMicrosecond);

// The luma effects with the kernels held to a vector width: 128 is what the
// Windows build runs, 256 a processor with AVX2 and no AVX-512.
void BM_PresentNarrower(benchmark::State& state) {
  LimitWideKernels(static_cast<int>(state.range(2)));
  BM_Present(state);
  LimitWideKernels(512);
}

void NarrowerArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"effect", "size", "bits"});
  for (int bits : {128, 256}) {
    for (int effect : {Normal, Grayscale, Gold, Sepia, Emboss}) b->Args({effect, 1024, bits});
  }
}
BENCHMARK(BM_PresentNarrower)->Apply(NarrowerArgs)->Unit(benchmark::kMicrosecond);

// One whole frame as a due timer tick makes it: compose, then present. The
// buffer is reused here; the window's presentation allocates it afresh.
void BM_ComposeAndPresent(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const bool antiAliasing = state.range(1) != 0;
  const int effect = static_cast<int>(state.range(2));
  ClockState clock;
  MakeBenchSkin(clock, size, antiAliasing);
  std::vector<std::uint32_t> rows;
  for (auto _ : state) {
    clock.ComposeFrame();
    RenderPresentation(clock.frame, effect, rows);
    benchmark::DoNotOptimize(rows.data());
    benchmark::ClobberMemory();
  }
  state.SetLabel(kEffectNames[effect]);
}

void WholeFrameArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"size", "aa", "effect"});
  for (int size : {1024, 200}) {
    for (int aa : {1, 0}) {
      for (int effect : {Normal, Grayscale, Emboss}) b->Args({size, aa, effect});
    }
  }
}
BENCHMARK(BM_ComposeAndPresent)->Apply(WholeFrameArgs)->Unit(benchmark::kMicrosecond);

// The bundled skin, loaded the way the program loads it.
void BM_BundledSkinFrame(benchmark::State& state) {
  const int effect = static_cast<int>(state.range(0));
  platform::SetMessageSink([](const platform::Message&) { return platform::MessageAnswer::Ok; });
  ClockState clock;
  const std::string folder = platform::AbsolutePath(HORALUNE_SOURCE_DIR "/skins/standard/");
  clock.skinDirectory = folder;
  clock.skinPath = folder + "Standard.HRL";
  WindowShape shape;
  if (!clock.LoadSkinData(shape)) {
    state.SkipWithError("the bundled skin does not load");
    return;
  }
  clock.SetTimeSource([](int& h, int& m, int& s) {
    h = kBenchHour;
    m = kBenchMinute;
    s = kBenchSecond;
  });
  clock.ReadClock();
  std::vector<std::uint32_t> rows;
  for (auto _ : state) {
    clock.ComposeFrame();
    RenderPresentation(clock.frame, effect, rows);
    benchmark::DoNotOptimize(rows.data());
    benchmark::ClobberMemory();
  }
  state.SetLabel(std::string(kEffectNames[effect]) + " " + std::to_string(clock.frame.width) + "x" +
                 std::to_string(clock.frame.height));
}
BENCHMARK(BM_BundledSkinFrame)->Arg(Normal)->Arg(Grayscale)->Arg(Emboss)->Unit(benchmark::kMicrosecond);

}  // namespace
