#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "render/clock_state.h"
#include "skin_fixture.h"

namespace {

using skintest::MessageLog;
using skintest::SkinFolder;

constexpr std::uint32_t kMagenta = 0xFF00FF;

// A 4 x 3 body: magenta corners, a black pixel, the rest grey; the top-left
// pixel is magenta.
std::vector<std::uint32_t> BodyPixels() {
  std::vector<std::uint32_t> p(12, 0x808080);
  p[0] = p[3] = p[8] = p[11] = kMagenta;
  p[5] = 0x000000;
  return p;
}

struct LoadedSkin {
  SkinFolder folder;
  MessageLog log;
  ClockState clock;
  WindowShape shape;

  LoadedSkin() {
    folder.WriteBmp("body.bmp", 4, 3, BodyPixels());
    folder.WriteSolidBmp("dial.bmp", 2, 2, 0x00FF00);
    folder.WriteSolidBmp("big.bmp", 10, 7, 0x202020);
    clock.skinDirectory = folder.dir;
    clock.skinPath = folder.Path("skin.HRL");
  }

  bool Load(const std::string& text) {
    folder.WriteText("skin.HRL", text);
    return clock.LoadSkinData(shape);
  }
};

std::string Skin(const std::string& initialize, const std::string& rest = "") {
  return "[Initialize]\r\n" + initialize + "[Body]\r\nGraph=body.bmp\r\n" + rest;
}

TEST(LoadSkinData, CommitsSettingsPicturesAndShape) {
  LoadedSkin skin;
  ASSERT_TRUE(skin.Load(Skin("Title=時計\r\nAnimation=1\r\nPermillage=5\r\nInterval=100\r\n",
                             "[Dial]\r\nGraph00=dial.bmp\r\n")));
  EXPECT_TRUE(skin.log.messages.empty());
  EXPECT_EQ(skin.clock.settings.title, "時計");
  EXPECT_EQ(skin.clock.settings.interval, 100);
  EXPECT_EQ(skin.clock.settings.animation, 1);
  EXPECT_EQ(skin.clock.settings.startChance, 5);
  EXPECT_EQ(skin.clock.permillage, 5);
  EXPECT_EQ(skin.clock.layers.size(), 7u);
  EXPECT_TRUE(skin.shape.valid);
  EXPECT_EQ(skin.shape.width, 4);
  EXPECT_EQ(skin.shape.height, 3);
  ASSERT_TRUE(skin.clock.hasHitMask);
  EXPECT_EQ(skin.clock.hitMaskWidth, 4);
  EXPECT_EQ(skin.clock.hitMaskHeight, 3);
  // No TransparentColor: the top-left magenta is cut out.
  EXPECT_EQ(skin.clock.hitMask, (std::vector<std::uint8_t>{0, 1, 1, 0, 1, 1, 1, 1, 0, 1, 1, 0}));
}

TEST(LoadSkinData, TransparentColorForms) {
  const std::vector<std::uint8_t> corners = {0, 1, 1, 0, 1, 1, 1, 1, 0, 1, 1, 0};
  const std::vector<std::uint8_t> black = {1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1};
  const std::vector<std::uint8_t> all(12, 1);
  struct Case {
    const char* line;
    const std::vector<std::uint8_t>* expected;
  } cases[] = {
      {"TransparentColor=non\r\n", &all},          // exactly "non": the rectangle
      {"TransparentColor=NON\r\n", &black},        // not a number: key 0, black
      {"TransparentColor=def\r\n", &black},
      {"", &corners},                              // absent: the top-left colour
      {"TransparentColor=16777216\r\n", &corners},
      {"TransparentColor=16711935\r\n", &corners},  // magenta written out
      {"TransparentColor=0\r\n", &black},
      {"TransparentColor=255\r\n", &all},          // pure blue: nothing of it here
  };
  for (const Case& c : cases) {
    LoadedSkin skin;
    ASSERT_TRUE(skin.Load(Skin(c.line))) << c.line;
    EXPECT_EQ(skin.clock.hitMask, *c.expected) << c.line;
    EXPECT_TRUE(skin.shape.valid);
  }
}

TEST(LoadSkinData, SettingsFailureTouchesNothing) {
  LoadedSkin skin;
  ASSERT_TRUE(skin.Load(Skin("Title=first\r\nAnimation=1\r\n", "[Dial]\r\nGraph00=dial.bmp\r\n")));
  const std::vector<std::uint8_t> mask = skin.clock.hitMask;
  EXPECT_FALSE(skin.Load(Skin("Title=second\r\nInterval=1001\r\n")));
  skin.log.ExpectOnlyError("Intervalは0から1000迄を指定して下さい");
  EXPECT_EQ(skin.clock.settings.title, "first");
  EXPECT_EQ(skin.clock.layers.size(), 7u);
  EXPECT_EQ(skin.clock.hitMask, mask);
  EXPECT_FALSE(skin.shape.valid);
}

TEST(LoadSkinData, PictureFailureKeepsTheRunningSkinConsistent) {
  LoadedSkin skin;
  ASSERT_TRUE(skin.Load(Skin("Title=first\r\nAnimation=2\r\nPermillage=7\r\n",
                             "[Dial]\r\nGraph00=dial.bmp\r\nGraph01=dial.bmp\r\n")));
  // The next skin wants more dial frames and fails on its last one.
  EXPECT_FALSE(skin.Load("[Initialize]\r\nTitle=second\r\nAnimation=50\r\nPermillage=900\r\n"
                         "[Body]\r\nGraph=big.bmp\r\n[Dial]\r\nGraph49=missing.bmp\r\n"));
  skin.log.ExpectOnlyError("文字盤(アニメーション)用CGの読み込みに失敗しました");
  const ClockState& clock = skin.clock;
  EXPECT_EQ(clock.settings.title, "first");
  EXPECT_EQ(clock.settings.animation, 2);
  EXPECT_EQ(clock.permillage, 7);
  ASSERT_EQ(clock.layers.size(), static_cast<std::size_t>(clock.settings.animation) + 6);
  EXPECT_EQ(clock.frame.width, 4);
  EXPECT_EQ(clock.hitMaskWidth * clock.hitMaskHeight, static_cast<int>(clock.hitMask.size()));
  EXPECT_EQ(clock.hitMaskWidth, clock.frame.width);
}

TEST(LoadSkinData, NewBodyBringsANewMaskSize) {
  LoadedSkin skin;
  ASSERT_TRUE(skin.Load(Skin("")));
  ASSERT_TRUE(skin.Load("[Initialize]\r\nTransparentColor=non\r\n[Body]\r\nGraph=big.bmp\r\n"));
  EXPECT_EQ(skin.clock.hitMaskWidth, 10);
  EXPECT_EQ(skin.clock.hitMaskHeight, 7);
  EXPECT_EQ(skin.clock.hitMask, std::vector<std::uint8_t>(70, 1));
  ASSERT_EQ(skin.shape.runs.size(), 7u);
  EXPECT_EQ(skin.shape.runs[6].x1, 10);
}

}  // namespace
