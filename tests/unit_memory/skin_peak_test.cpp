// The skin memory bound against what really happens: every allocation of this
// test program is counted (operator new here, large planes by the platform's
// tally), and the most ever live while a skin is drawn at a scale is held to
// what the clock counts for it (ScaledSkinBytes): never more, at most 10 %
// less. Skins are generated in the test, a few hundred pixels a side.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/plane_memory.h"
#include "render/clock_state.h"
#include "skin/display_scale.h"
#include "skin/picture_resample.h"
#include "skin/skin_loader.h"
#include "skin/skin_scaling.h"
#include "skin_fixture.h"

namespace {

std::atomic<std::size_t> heapLive{0};
std::atomic<std::size_t> peakLive{0};

// Everything live now: heap blocks and large planes, in bytes asked for.
void NotePeak() {
  const std::size_t now = heapLive + platform::LargePlaneLiveBytes();
  std::size_t peak = peakLive;
  while (now > peak && !peakLive.compare_exchange_weak(peak, now)) {
  }
}

std::size_t Live() { return heapLive + platform::LargePlaneLiveBytes(); }

void ResetPeak() { peakLive = Live(); }

constexpr std::size_t kHeader = alignof(std::max_align_t);

void* CountedNew(std::size_t bytes) {
  void* block = std::malloc(bytes + kHeader);
  if (block == nullptr) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = bytes;
  heapLive += bytes;
  NotePeak();
  return static_cast<char*>(block) + kHeader;
}

void CountedDelete(void* p) noexcept {
  if (p == nullptr) return;
  void* block = static_cast<char*>(p) - kHeader;
  heapLive -= *static_cast<std::size_t*>(block);
  NotePeak();
  std::free(block);
}

}  // namespace

void* operator new(std::size_t bytes) { return CountedNew(bytes); }
void* operator new[](std::size_t bytes) { return CountedNew(bytes); }
void operator delete(void* p) noexcept { CountedDelete(p); }
void operator delete[](void* p) noexcept { CountedDelete(p); }
void operator delete(void* p, std::size_t) noexcept { CountedDelete(p); }
void operator delete[](void* p, std::size_t) noexcept { CountedDelete(p); }

namespace {

using skintest::MessageLog;
using skintest::SkinFolder;

// A skin of `side` x (side * 2 / 3) with a round keyed outline, three hands,
// masked numerals, a cover and two dial frames, all of random colours.
void WriteSkin(const SkinFolder& folder, int side, std::mt19937& rng) {
  auto random = [&](int w, int h) {
    std::vector<std::uint32_t> p(static_cast<std::size_t>(w) * h);
    for (auto& v : p) v = rng() & 0xFFFFFF;
    return p;
  };
  const int w = side, h = side * 2 / 3;
  std::vector<std::uint32_t> body = random(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double dx = (x - w / 2.0) / (w / 2.0), dy = (y - h / 2.0) / (h / 2.0);
      if (dx * dx + dy * dy > 1) body[static_cast<std::size_t>(y) * w + x] = 0xFF00FF;
    }
  body[0] = 0xFF00FF;
  folder.WriteBmp("body.bmp", w, h, body);
  folder.WriteBmp("hand.bmp", side / 12, h / 2, random(side / 12, h / 2));
  folder.WriteBmp("num.bmp", w * 3 / 4, h * 3 / 4, random(w * 3 / 4, h * 3 / 4));
  folder.WriteSolidBmp("nummask.bmp", w * 3 / 4, h * 3 / 4, 0x808080);
  folder.WriteBmp("cover.bmp", side / 5, side / 5, random(side / 5, side / 5));
  folder.WriteBmp("dial.bmp", w / 2, h / 2, random(w / 2, h / 2));
  folder.WriteText("skin.HRL",
                   "[Initialize]\r\nAnimation=2\r\nAxisPosX=" + std::to_string(w / 2) + "\r\nAxisPosY=" +
                       std::to_string(h / 2) + "\r\n[Body]\r\nGraph=body.bmp\r\n"
                       "[HourHand]\r\nGraph=hand.bmp\r\nAxisX=3\r\nAxisY=40\r\n"
                       "[MinuteHand]\r\nGraph=hand.bmp\r\n[SecondHand]\r\nGraph=hand.bmp\r\n"
                       "[Dial]\r\nNumchar=num.bmp\r\nNumMask=nummask.bmp\r\nGraph00=dial.bmp\r\nGraph01=dial.bmp\r\n"
                       "[Cover]\r\nGraph=cover.bmp\r\n");
}

void ExpectCounted(std::uint64_t counted, std::size_t real, const std::string& what) {
  EXPECT_LE(real, counted) << what;
  EXPECT_GE(static_cast<double>(real), 0.9 * static_cast<double>(counted)) << what;
}

TEST(SkinPeakMemory, CountedPeakIsTheRealOneAtEveryScaleAndEveryChange) {
  MessageLog log;
  std::mt19937 rng(41);
  for (int side : {240, 420}) {
    SkinFolder folder;
    WriteSkin(folder, side, rng);
    const std::size_t before = Live();
    ClockState clock;
    clock.skinDirectory = folder.dir;
    clock.skinPath = folder.Path("skin.HRL");
    WindowShape shape;
    ASSERT_TRUE(clock.LoadSkinData(shape));
    shape = WindowShape();
    const std::size_t held = Live() - before;
    // Drawn as loaded: what the clock holds is what it counts.
    ExpectCounted(LoadedSkinBytes(clock.layers), held, "as loaded, side " + std::to_string(side));
    const std::size_t beforeCopy = Live();
    const std::vector<PlanarImage> loaded = clock.layers;  // for the count; not the clock's
    const std::size_t base = before + (Live() - beforeCopy);

    // 100 % -> each scale, and from scale to scale without coming back. A
    // change starts from what the old scale holds, which its own count bounds.
    int previous = kBaseDpi;
    for (int dpi : {144, 192, 480, 120, 96, 240}) {
      ResetPeak();
      ASSERT_TRUE(clock.ChangeDisplayDpi(dpi, shape));
      ASSERT_EQ(clock.DrawDpi(), dpi);
      shape = WindowShape();
      const std::string what = "side " + std::to_string(side) + " from " + std::to_string(previous) + " to " +
                               std::to_string(dpi);
      const std::size_t real = peakLive - base;
      EXPECT_LE(real, std::max(ScaledSkinBytes(loaded, previous), ScaledSkinBytes(loaded, dpi))) << what;
      EXPECT_GE(static_cast<double>(real), 0.9 * static_cast<double>(ScaledSkinBytes(loaded, dpi))) << what;
      previous = dpi;
    }
  }
  EXPECT_TRUE(log.messages.empty());
}

// A skin switch at a scale: the new skin loads while the running one, drawn at
// 200 %, is all still held; then the old goes and the new one is scaled. The
// clock counts the first part as what it holds plus what the load counts, the
// second as the new scale's own peak: the real high-water mark of the whole
// switch stays within the larger of the two.
TEST(SkinPeakMemory, ASwitchCountsTheRunningSkinBesideTheNewLoad) {
  MessageLog log;
  std::mt19937 rng(7);
  SkinFolder first, second;
  WriteSkin(first, 420, rng);
  WriteSkin(second, 360, rng);
  const std::size_t before = Live();
  ClockState clock;
  clock.displayDpi = 192;
  clock.skinDirectory = first.dir;
  clock.skinPath = first.Path("skin.HRL");
  WindowShape shape;
  ASSERT_TRUE(clock.LoadSkinData(shape));
  ASSERT_EQ(clock.DrawDpi(), 192);
  shape = WindowShape();
  ExpectCounted(clock.HeldSkinBytes(), Live() - before, "running skin at 200 %");

  // The load alone, beside the running clock.
  SkinLoadBudget budget;
  budget.held = clock.HeldSkinBytes();
  std::vector<PlanarImage> loaded;  // for the count of the new scale; not the clock's
  const std::size_t beforeLoad = Live();
  ResetPeak();
  {
    SkinContent content;
    ASSERT_TRUE(LoadSkinContent(second.Path("skin.HRL"), second.dir, content, budget));
    loaded = std::move(content.pictures.layers);
  }
  EXPECT_LE(peakLive - before, budget.counted) << "load beside the running skin";
  const std::size_t base = before + (Live() - beforeLoad);

  clock.skinDirectory = second.dir;
  clock.skinPath = second.Path("skin.HRL");
  ResetPeak();
  ASSERT_TRUE(clock.LoadSkinData(shape));
  ASSERT_EQ(clock.DrawDpi(), 192);
  EXPECT_LE(peakLive - base, std::max<std::uint64_t>(budget.counted, ScaledSkinBytes(loaded, 192))) << "switch";
  EXPECT_TRUE(log.messages.empty());
}

// A picture is resampled a band of rows at a time: beside its result it never
// holds more than the band's scratch, however large the result (a float copy
// of the whole result alone would be 16 bytes a pixel).
TEST(SkinPeakMemory, ResamplingHoldsOnlyABandBesideItsResult) {
  std::mt19937 rng(3);
  for (const auto& size : {std::pair<int, int>{300, 200}, {64, 900}, {1000, 40}}) {
    PlanarImage source;
    source.width = size.first, source.height = size.second, source.hasPlanes = true, source.hasMask = true;
    const std::size_t n = static_cast<std::size_t>(size.first) * size.second;
    for (Plane* plane : {&source.red, &source.green, &source.blue, &source.mask}) {
      plane->resize(n);
      for (auto& v : *plane) v = static_cast<std::uint8_t>(rng());
    }
    for (int dpi : {120, 240, 480}) {
      const int w = ScaleByDpi(size.first, dpi), h = ScaleByDpi(size.second, dpi);
      PlanarImage out;
      const std::size_t before = Live();
      ResetPeak();
      ASSERT_TRUE(ResamplePicture(source, nullptr, w, h, out));
      const std::size_t result = Live() - before;
      EXPECT_NEAR(static_cast<double>(result), static_cast<double>(w) * h * 4, 1024.0);  // four planes
      const std::size_t scratch = peakLive - before - result;
      EXPECT_LE(scratch, ResampleScratchBytes(w, h, size.second)) << w << " x " << h;
      EXPECT_LE(scratch, std::size_t{5} << 20) << w << " x " << h;
    }
  }
}

}  // namespace
