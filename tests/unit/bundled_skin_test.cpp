#include <gtest/gtest.h>

#include <string>

#include "render/clock_state.h"
#include "skin_fixture.h"
#include "test_host.h"

namespace {

// The skin we ship, straight from the source tree (Wine sees it on Z:).
std::string BundledSkinDirectory() {
  const char s = testing_support::kPathSeparator;
  return testing_support::SourceTree() + s + "skins" + s + "standard" + s;
}

TEST(BundledSkin, LoadsWholeWithItsRoundOutline) {
  skintest::MessageLog log;
  ClockState clock;
  clock.skinDirectory = BundledSkinDirectory();
  clock.skinPath = clock.skinDirectory + "Standard.HRL";
  WindowShape shape;
  ASSERT_TRUE(clock.LoadSkinData(shape));
  EXPECT_TRUE(log.messages.empty());

  const SkinSettings& s = clock.settings;
  EXPECT_EQ(s.title, "ほらるね 月夜");
  EXPECT_TRUE(s.hasDocument);
  EXPECT_TRUE(FileIsReadable((clock.skinDirectory + s.documentFile).c_str()));
  EXPECT_TRUE(FileIsReadable((clock.skinDirectory + s.alarmVoice).c_str()));
  EXPECT_GE(s.animation, 4);
  EXPECT_GT(s.startChance, 0);
  EXPECT_LE(s.startChance, 20);

  ASSERT_EQ(clock.layers.size(), static_cast<std::size_t>(s.animation) + 6);
  for (std::size_t i = 0; i < clock.layers.size(); ++i) {
    EXPECT_TRUE(clock.layers[i].hasPlanes) << i;
    if (i != Body) {
      EXPECT_TRUE(clock.layers[i].hasMask) << i;
    }
  }
  const int w = clock.frame.width, h = clock.frame.height;
  EXPECT_GE(w, 200);
  EXPECT_LE(w, 260);
  EXPECT_EQ(w, h);

  // Round: corners cut out, the middle and the edge midpoints kept.
  ASSERT_TRUE(shape.valid);
  ASSERT_EQ(clock.hitMaskWidth, w);
  const auto hit = [&](int x, int y) { return clock.hitMask[static_cast<std::size_t>(y) * w + x]; };
  EXPECT_EQ(hit(0, 0), 0);
  EXPECT_EQ(hit(w - 1, h - 1), 0);
  EXPECT_EQ(hit(w / 2, h / 2), 1);
  EXPECT_EQ(hit(w / 2, 4), 1);
  EXPECT_EQ(hit(4, h / 2), 1);
  // A disc: nothing kept outside the circle, and no key colour inside the face.
  const double outer = w / 2.0, inner = w / 2.0 - 4;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double dx = x + 0.5 - w / 2.0, dy = y + 0.5 - h / 2.0;
      const double r2 = dx * dx + dy * dy;
      if (r2 > outer * outer) {
        ASSERT_EQ(hit(x, y), 0) << x << "," << y;
      } else if (r2 < inner * inner) {
        ASSERT_EQ(hit(x, y), 1) << x << "," << y;
      }
    }
  }
}

}  // namespace
