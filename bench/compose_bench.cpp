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
