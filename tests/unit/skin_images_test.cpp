#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "render/clock_state.h"
#include "skin/skin_loader.h"
#include "skin_fixture.h"

namespace {

using skintest::MessageLog;
using skintest::SkinFolder;

// A folder with the usual pictures and a skin file whose sections the test gives.
struct ImageSkin {
  SkinFolder folder;
  MessageLog log;
  ClockState clock;

  ImageSkin() {
    folder.WriteSolidBmp("body.bmp", 8, 6, 0x336699);
    folder.WriteSolidBmp("hand.bmp", 2, 5, 0xFFFFFF);
    folder.WriteSolidBmp("handmask.bmp", 2, 5, 0x808080);
    folder.WriteSolidBmp("wide.bmp", 3, 5, 0xFFFFFF);
    folder.WriteSolidBmp("dial.bmp", 4, 4, 0x00FF00);
    folder.WriteSolidBmp("dialmask.bmp", 4, 4, 0xFFFFFF);
    clock.skinDirectory = folder.dir;
    clock.skinPath = folder.Path("skin.HRL");
  }

  bool Load(const std::string& sections, int animation) {
    folder.WriteText("skin.HRL", sections);
    // The pictures alone, committed as a skin load commits them.
    SkinPictureSet fresh;
    if (!LoadSkinPictures(clock.skinPath.c_str(), clock.skinDirectory, animation, fresh)) return false;
    clock.layers.swap(fresh.layers);
    clock.frame = std::move(fresh.frame);
    clock.hasLayers = true;
    return true;
  }
};

const char* kBody = "[Body]\r\nGraph=body.bmp\r\n";

TEST(LayerTable, BodyAloneFillsEntryZeroAndTheFrame) {
  ImageSkin skin;
  ASSERT_TRUE(skin.Load(kBody, 0));
  EXPECT_TRUE(skin.log.messages.empty());
  ASSERT_TRUE(skin.clock.hasLayers);
  ASSERT_EQ(skin.clock.layers.size(), 6u);
  const PlanarImage& body = skin.clock.layers[Body];
  EXPECT_EQ(body.width, 8);
  EXPECT_EQ(body.height, 6);
  EXPECT_FALSE(body.hasMask);
  EXPECT_EQ(body.red[0], 0x33);
  EXPECT_EQ(skin.clock.frame.width, 8);
  EXPECT_EQ(skin.clock.frame.height, 6);
  EXPECT_EQ(skin.clock.frame.red, body.red);
  EXPECT_EQ(skin.clock.frame.blue, body.blue);
  EXPECT_FALSE(skin.clock.frame.hasMask);
  for (int i = SecondHand; i <= Cover; ++i) EXPECT_FALSE(skin.clock.layers[i].hasPlanes) << i;
}

TEST(LayerTable, EveryEntryFromItsKeys) {
  ImageSkin skin;
  ASSERT_TRUE(skin.Load(std::string(kBody) +
                            "[SecondHand]\r\nGraph=hand.bmp\r\nAxisX=1\r\nAxisY=4\r\n"
                            "[MinuteHand]\r\nGraph=hand.bmp\r\nMask=handmask.bmp\r\n"
                            "[HourHand]\r\nGraph=NON\r\nMask=handmask.bmp\r\n"
                            "[Dial]\r\nNumchar=dial.bmp\r\nNumMask=dialmask.bmp\r\nGraph00=dial.bmp\r\n"
                            "[Cover]\r\nGraph=dial.bmp\r\nMask=non\r\n",
                        1));
  EXPECT_TRUE(skin.log.messages.empty());
  const auto& layers = skin.clock.layers;
  ASSERT_EQ(layers.size(), 7u);
  EXPECT_EQ(layers[SecondHand].width, 6);
  EXPECT_EQ(layers[SecondHand].pivotX, 3);
  EXPECT_EQ(layers[SecondHand].pivotY, 6);
  EXPECT_EQ(layers[SecondHand].mask[2 * 6 + 2], 255);  // full mask without a Mask key
  EXPECT_EQ(layers[MinuteHand].pivotX, 2);
  EXPECT_EQ(layers[MinuteHand].mask[2 * 6 + 2], 127);
  EXPECT_FALSE(layers[HourHand].hasPlanes);
  EXPECT_TRUE(layers[DialNumerals].hasMask);
  EXPECT_EQ(layers[DialNumerals].pivotX, 0);
  EXPECT_TRUE(layers[Cover].hasPlanes);
  EXPECT_FALSE(layers[Cover].hasMask);
  EXPECT_TRUE(layers[DialFrame0].hasPlanes);
  EXPECT_FALSE(layers[DialFrame0].hasMask);
}

TEST(LayerTable, DialFramesFollowTheAnimationCount) {
  {
    // Animation 0: Graph00 names a missing file, and is never read.
    ImageSkin skin;
    ASSERT_TRUE(skin.Load(std::string(kBody) + "[Dial]\r\nGraph00=missing.bmp\r\n", 0));
    EXPECT_EQ(skin.clock.layers.size(), 6u);
    EXPECT_TRUE(skin.log.messages.empty());
  }
  {
    // Gaps stay empty.
    ImageSkin skin;
    ASSERT_TRUE(skin.Load(std::string(kBody) +
                              "[Dial]\r\nGraph00=dial.bmp\r\nGraph02=dial.bmp\r\nMask02=dialmask.bmp\r\n"
                              "Graph03=missing.bmp\r\n",
                          3));
    ASSERT_EQ(skin.clock.layers.size(), 9u);
    EXPECT_TRUE(skin.clock.layers[6].hasPlanes);
    EXPECT_FALSE(skin.clock.layers[7].hasPlanes);
    EXPECT_TRUE(skin.clock.layers[8].hasPlanes);
    EXPECT_TRUE(skin.clock.layers[8].hasMask);
  }
}

TEST(LayerTable, HundredFramesEachFromItsOwnKey) {
  ImageSkin skin;
  std::string dial = "[Dial]\r\n";
  for (int k = 0; k < 100; ++k) {
    char name[32];
    std::snprintf(name, sizeof name, "f%02d.bmp", k);
    skin.folder.WriteSolidBmp(name, 1, 1, static_cast<std::uint32_t>(k));
    std::snprintf(name, sizeof name, "Graph%02d=f%02d.bmp\r\n", k, k);
    dial += name;
  }
  ASSERT_TRUE(skin.Load(std::string(kBody) + dial, 100));
  ASSERT_EQ(skin.clock.layers.size(), 106u);
  for (int k = 0; k < 100; ++k) {
    ASSERT_TRUE(skin.clock.layers[DialFrame0 + k].hasPlanes) << k;
    EXPECT_EQ(skin.clock.layers[DialFrame0 + k].blue[0], k) << k;
  }
}

TEST(LayerTable, EachFailingPictureShowsItsMessage) {
  struct Case {
    const char* sections;
    int animation;
    const char* message;
  } cases[] = {
      {"[Body]\r\nGraph=missing.bmp\r\n", 0, "Body用CGの読み込みに失敗しました"},
      {"[SecondHand]\r\nGraph=missing.bmp\r\n", 0, "指針用CGの読み込みに失敗しました"},
      {"[HourHand]\r\nGraph=hand.bmp\r\nMask=wide.bmp\r\n", 0, "指針用CGの読み込みに失敗しました"},
      {"[MinuteHand]\r\nGraph=hand.bmp\r\nMask=missing.bmp\r\n", 0, "指針用CGの読み込みに失敗しました"},
      {"[Dial]\r\nNumchar=dial.bmp\r\nNumMask=hand.bmp\r\n", 0,
       "文字盤(非アニメーション)用CGの読み込みに失敗しました"},
      {"[Cover]\r\nGraph=dial.bmp\r\nMask=missing.bmp\r\n", 0, "カバー用CGの読み込みに失敗しました"},
      {"[Dial]\r\nGraph00=dial.bmp\r\nGraph01=missing.bmp\r\n", 2,
       "文字盤(アニメーション)用CGの読み込みに失敗しました"},
      {"[Dial]\r\nGraph00=dial.bmp\r\nMask00=missing.bmp\r\n", 1,
       "文字盤(アニメーション)用CGの読み込みに失敗しました"},
      // The first failure ends the load: the hands come before the cover.
      {"[Cover]\r\nGraph=missing.bmp\r\n[HourHand]\r\nGraph=missing.bmp\r\n", 0,
       "指針用CGの読み込みに失敗しました"},
  };
  for (const Case& c : cases) {
    ImageSkin skin;
    const bool hasBodyKey = std::string(c.sections).find("[Body]") != std::string::npos;
    EXPECT_FALSE(skin.Load(hasBodyKey ? c.sections : std::string(kBody) + c.sections, c.animation))
        << c.sections;
    skin.log.ExpectOnlyError(c.message);
  }
}

TEST(LayerTable, AbsentBodyKeyFailsSilently) {
  for (const char* sections : {"[Dial]\r\nNumchar=dial.bmp\r\n", "[Body]\r\nGraph=Non\r\n"}) {
    ImageSkin skin;
    EXPECT_FALSE(skin.Load(sections, 0));
    EXPECT_TRUE(skin.log.messages.empty());
    EXPECT_FALSE(skin.clock.hasLayers);
  }
}

TEST(LayerTable, FailedLoadKeepsTheTableInUse) {
  ImageSkin skin;
  ASSERT_TRUE(skin.Load(std::string(kBody) + "[Dial]\r\nGraph00=dial.bmp\r\nGraph01=dial.bmp\r\n", 2));
  skin.folder.WriteSolidBmp("other.bmp", 3, 3, 0x000000);
  EXPECT_FALSE(skin.Load("[Body]\r\nGraph=other.bmp\r\n[Dial]\r\nGraph04=missing.bmp\r\n", 5));
  // Composition still sees the complete earlier table and its body.
  ASSERT_TRUE(skin.clock.hasLayers);
  ASSERT_EQ(skin.clock.layers.size(), 8u);
  EXPECT_TRUE(skin.clock.layers[7].hasPlanes);
  EXPECT_EQ(skin.clock.layers[Body].width, 8);
  EXPECT_EQ(skin.clock.frame.width, 8);
  // A later good load replaces it whole.
  ASSERT_TRUE(skin.Load("[Body]\r\nGraph=other.bmp\r\n", 0));
  EXPECT_EQ(skin.clock.layers.size(), 6u);
  EXPECT_EQ(skin.clock.frame.width, 3);
}

TEST(LayerTable, FileNamesMayNameASubfolder) {
  ImageSkin skin;
  std::filesystem::create_directories(std::filesystem::path(skin.folder.dir) / "parts");
  skin.folder.WriteSolidBmp(std::string("parts") + skintest::kSeparator + "cap.bmp", 2, 2, 0xFF0000);
  // Inside a skin the separator is always a backslash.
  ASSERT_TRUE(skin.Load(std::string(kBody) + "[Cover]\r\nGraph=parts\\cap.bmp\r\n", 0));
  EXPECT_EQ(skin.clock.layers[Cover].red[0], 0xFF);
}

}  // namespace
