// Composition of one frame (body copy, numerals, three turned hands, cover) on
// generated skins, with anti-aliasing on and off.
#include <benchmark/benchmark.h>

#include "bench_skin.h"

namespace {

void BM_ComposeFrame(benchmark::State& state) {
  ClockState clock;
  MakeBenchSkin(clock, static_cast<int>(state.range(0)), state.range(1) != 0);
  for (auto _ : state) {
    clock.ComposeFrame();
    benchmark::DoNotOptimize(clock.frame.red.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ComposeFrame)
    ->ArgNames({"size", "aa"})
    ->Args({1024, 1})
    ->Args({1024, 0})
    ->Args({200, 1})
    ->Args({200, 0})
    ->Unit(benchmark::kMicrosecond);

// One frame at a display scale (dpi): the same skin drawn from its scaled
// copies, so the cost per pixel can be compared with the 96-dpi frame.
void BM_ComposeFrameScaled(benchmark::State& state) {
  ClockState clock;
  MakeBenchSkin(clock, static_cast<int>(state.range(0)), true);
  WindowShape shape;
  if (!clock.ChangeDisplayDpi(static_cast<int>(state.range(1)), shape)) {
    state.SkipWithError("no scaled copies");
    return;
  }
  for (auto _ : state) {
    clock.ComposeFrame();
    benchmark::DoNotOptimize(clock.frame.red.data());
    benchmark::ClobberMemory();
  }
  state.counters["pixels"] = static_cast<double>(clock.frame.width) * clock.frame.height;
}
BENCHMARK(BM_ComposeFrameScaled)
    ->ArgNames({"size", "dpi"})
    ->Args({200, 96})
    ->Args({200, 144})
    ->Args({200, 192})
    ->Args({512, 96})
    ->Args({512, 192})
    ->Unit(benchmark::kMicrosecond);

// Making the scaled copies: once per skin load and per change of scale.
void BM_ScaleSkin(benchmark::State& state) {
  ClockState clock;
  MakeBenchSkin(clock, static_cast<int>(state.range(0)), true);
  ScaledSkin scaled;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ScaleSkin(clock.layers, clock.hitMask, clock.hitMaskWidth,
                                       clock.hitMaskHeight, static_cast<int>(state.range(1)), scaled));
  }
}
BENCHMARK(BM_ScaleSkin)
    ->ArgNames({"size", "dpi"})
    ->Args({200, 144})
    ->Args({200, 192})
    ->Args({512, 192})
    ->Unit(benchmark::kMillisecond);

// The three hands alone, to see what turned drawing costs.
void BM_TurnedHands(benchmark::State& state) {
  ClockState clock;
  MakeBenchSkin(clock, static_cast<int>(state.range(0)), state.range(1) != 0);
  const float angles[3] = {304.308f, 48.0f, 222.0f};
  const int hands[3] = {HourHand, MinuteHand, SecondHand};
  for (auto _ : state) {
    for (int k = 0; k < 3; ++k) {
      const PlanarImage& hand = clock.layers[static_cast<std::size_t>(hands[k])];
      clock.DrawLayerRotated(hands[k], clock.settings.axisPosX, clock.settings.axisPosY,
                             hand.pivotX, hand.pivotY, 255, angles[k]);
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TurnedHands)
    ->ArgNames({"size", "aa"})
    ->Args({1024, 1})
    ->Args({1024, 0})
    ->Args({200, 1})
    ->Unit(benchmark::kMicrosecond);

// A tick that is not due: the clock reading and the comparisons.
void BM_TickNotDue(benchmark::State& state) {
  ClockState clock;
  MakeBenchSkin(clock, 200, true);
  clock.IsRedrawDue();
  for (auto _ : state) benchmark::DoNotOptimize(clock.IsRedrawDue());
}
BENCHMARK(BM_TickNotDue);

}  // namespace
