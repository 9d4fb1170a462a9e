// Our whole frame (compose + Normal presentation) against pixman drawing the
// same frame, the presentation with the window's alpha against the plain one,
// and each colour effect against the Normal presentation. The two
// sides of a comparison run in alternating batches in one process, so that a
// busy machine slows both alike; each ratio is the median of the per-round
// ratios. Times are the thread's CPU time, which another busy process on the
// machine disturbs less than the wall clock.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench_skin.h"
#include "pixman/pixman_frame.h"
#include "render/colour_effects.h"

namespace {

double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

double SecondsPerRun(const std::function<void()>& run, int count) {
  const double start = ThreadSeconds();
  for (int i = 0; i < count; ++i) run();
  return (ThreadSeconds() - start) / count;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

struct Comparison {
  double ours, theirs, ratio;
};

// Batches of about 3 ms per side, 61 rounds.
Comparison Interleave(const std::function<void()>& ours, const std::function<void()>& theirs) {
  ours(), theirs();  // warm the caches and the allocations
  const double once = std::max(SecondsPerRun(ours, 3), SecondsPerRun(theirs, 3));
  const int batch = std::max(1, static_cast<int>(0.003 / once));
  std::vector<double> a, b, r;
  for (int round = 0; round < 61; ++round) {
    a.push_back(SecondsPerRun(ours, batch));
    b.push_back(SecondsPerRun(theirs, batch));
    r.push_back(a.back() / b.back());
  }
  return {Median(a), Median(b), Median(r)};
}

const char* const kEffectNames[] = {"Normal", "Negative", "Solarization", "Grayscale",
                                    "Gold",   "Sepia",    "Emboss"};

}  // namespace

int main() {
  std::printf("Whole frame (compose + Normal presentation), anti-aliasing on, 10:08:37\n");
  std::printf("%-6s %-34s %10s %10s %7s\n", "size", "pixman 0.42 variant", "ours ms", "pixman ms", "ratio");
  for (int size : {1024, 200}) {
    ClockState clock;
    MakeBenchSkin(clock, size, true);
    clock.ReadClock();
    std::vector<std::uint32_t> rows;
    auto ours = [&] {
      clock.ComposeFrame();
      RenderPresentation(clock.frame, Normal, rows);
    };
    for (bool premultiplied : {true, false}) {
      PixmanFrame pixman(clock, premultiplied);
      const Comparison c = Interleave(ours, [&] { pixman.Draw(); });
      std::printf("%-6d %-34s %10.3f %10.3f %7.2f\n", size,
                  premultiplied ? "premultiplied hands (fast path)" : "hands with masks (general path)",
                  c.ours * 1e3, c.theirs * 1e3, c.ratio);
    }
  }

  // The layered window's frame: premultiplied by a round clock's soft-edged
  // alpha. Held to 1.3 x the Normal presentation, its whole frame to 0.45 x pixman.
  std::printf("\nWith the window's alpha (premultiplied, round soft-edged clock)\n");
  std::printf("%-6s %-34s %10s %10s %7s\n", "size", "compared with", "alpha ms", "other ms", "ratio");
  for (int size : {1024, 200}) {
    ClockState clock;
    MakeBenchSkin(clock, size, true);
    clock.ReadClock();
    clock.ComposeFrame();
    const std::vector<std::uint8_t> alpha = BenchWindowAlpha(size);
    std::vector<std::uint32_t> rows, normalRows;
    Comparison c = Interleave([&] { RenderPremultipliedPresentation(clock.frame, alpha, Normal, rows); },
                              [&] { RenderPresentation(clock.frame, Normal, normalRows); });
    std::printf("%-6d %-34s %10.3f %10.3f %7.2f\n", size, "Normal presentation", c.ours * 1e3, c.theirs * 1e3,
                c.ratio);
    PixmanFrame pixman(clock, true);
    c = Interleave(
        [&] {
          clock.ComposeFrame();
          RenderPremultipliedPresentation(clock.frame, alpha, Normal, rows);
        },
        [&] { pixman.Draw(); });
    std::printf("%-6d %-34s %10.3f %10.3f %7.2f\n", size, "pixman whole frame (fast path)", c.ours * 1e3,
                c.theirs * 1e3, c.ratio);
  }

  std::printf("\nPresentation: each effect against Normal on the composed frame\n");
  std::printf("%-6s %-13s %10s %10s %7s\n", "size", "effect", "effect ms", "Normal ms", "ratio");
  for (int size : {1024, 200}) {
    ClockState clock;
    MakeBenchSkin(clock, size, true);
    clock.ReadClock();
    clock.ComposeFrame();
    std::vector<std::uint32_t> rows, normalRows;
    for (int effect = Negative; effect <= Emboss; ++effect) {
      const Comparison c = Interleave([&] { RenderPresentation(clock.frame, effect, rows); },
                                      [&] { RenderPresentation(clock.frame, Normal, normalRows); });
      std::printf("%-6d %-13s %10.3f %10.3f %7.2f\n", size, kEffectNames[effect], c.ours * 1e3,
                  c.theirs * 1e3, c.ratio);
    }
  }
  return 0;
}
