// Skins from strangers: pictures too large, or too many of them, are refused
// from their headers before a pixel is decoded, and running out of memory in a
// load names the picture and keeps the running skin.
#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <string>

#include "render/clock_state.h"
#include "skin/skin_budget.h"
#include "png_writer.h"
#include "rle_bomb.h"
#include "skin_fixture.h"
#include "test_host.h"

namespace {

using skintest::MessageLog;
using skintest::RleBomb;
using skintest::SkinFolder;

int picturesDecoded = 0;
void CountDecodes(const std::string&) { ++picturesDecoded; }
void CoverRunsOutOfMemory(const std::string& path) {
  if (path.size() >= 9 && path.compare(path.size() - 9, 9, "cover.bmp") == 0) throw std::bad_alloc();
}

// A folder holding a small running skin; Load() switches to another text.
struct Clock {
  SkinFolder folder;
  MessageLog log;
  ClockState clock;
  WindowShape shape;

  Clock() {
    folder.WriteSolidBmp("small.bmp", 4, 3, 0x808080);
    clock.skinDirectory = folder.dir;
    clock.skinPath = folder.Path("skin.HRL");
    EXPECT_TRUE(Load("[Initialize]\r\nTitle=running\r\n[Body]\r\nGraph=small.bmp\r\n"));
    log.messages.clear();
  }
  bool Load(const std::string& text) {
    folder.WriteText("skin.HRL", text);
    return clock.LoadSkinData(shape);
  }
  void ExpectRunningSkinKept() const {
    EXPECT_EQ(clock.settings.title, "running");
    EXPECT_EQ(clock.frame.width, 4);
    EXPECT_EQ(clock.layers.size(), 6u);
    EXPECT_EQ(clock.hitMask.size(), 12u);
  }
};

TEST(SkinBounds, PlanesAddUpToTheBound) {
  EXPECT_EQ(PlaneBytes(2, 3, PictureForm::Plain), 18u);
  EXPECT_EQ(PlaneBytes(2, 3, PictureForm::Masked), 24u);
  EXPECT_EQ(PlaneBytes(2, 3, PictureForm::Hand), 6u * 7u * 4u);
  EXPECT_EQ(PlaneBytes(8192, 8192, PictureForm::Hand), 8196ull * 8196ull * 4ull);
  SkinBudget budget;
  EXPECT_TRUE(budget.Add(kMaxSkinPlaneBytes - 1));
  EXPECT_TRUE(budget.Add(1));
  EXPECT_FALSE(budget.Add(1));
  EXPECT_EQ(budget.Total(), kMaxSkinPlaneBytes);
  EXPECT_FALSE(SkinBudget().Add(~std::uint64_t{0}));

  // A side of 8192 is the largest taken, from the headers alone.
  for (int side : {8192, 8193}) {
    std::string header = RleBomb(1).substr(0, 14 + 40 + 4);
    for (int i = 0; i < 4; ++i) {
      header[18 + i] = static_cast<char>((side >> (8 * i)) & 0xFF);
      header[22 + i] = header[18 + i];
    }
    BmpProbe probe;
    EXPECT_EQ(ProbeBmp(reinterpret_cast<const std::uint8_t*>(header.data()), header.size(), probe),
              side == 8192);
    if (side == 8192) {
      EXPECT_EQ(probe.decodeBytes, 8192ull * 8192ull * 4ull);
    }
  }
}

TEST(SkinBounds, AGiantBodyIsRefusedFromItsHeaders) {
  Clock c;
  c.folder.WriteText("bomb.bmp", RleBomb(16384));  // 2 MB of runs, 16384 x 16384
  picturesDecoded = 0;
  SetPictureLoadHook(CountDecodes);
  EXPECT_FALSE(c.Load("[Initialize]\r\nTitle=bomb\r\n[Body]\r\nGraph=bomb.bmp\r\n"));
  SetPictureLoadHook(nullptr);
  c.log.ExpectOnlyError("Body用CGの読み込みに失敗しました");
  c.ExpectRunningSkinKept();
}

// A PNG is held to the same bounds from its header: a few hundred bytes
// claiming 8192 x 8192 16-bit RGBA are refused before they are inflated.
TEST(SkinBounds, APngBodyThatClaimsTooMuchIsRefusedFromItsHeader) {
  Clock c;
  pngtest::PngPicture claim;
  claim.width = claim.height = 2;
  claim.depth = 16;
  claim.samples.assign(16, 40000);
  std::string file = pngtest::EncodePng(claim);
  file[18] = file[22] = 0x20;
  file[19] = file[23] = 0;
  c.folder.WriteText("claim.png", file);
  picturesDecoded = 0;
  SetPictureLoadHook(CountDecodes);
  EXPECT_FALSE(c.Load("[Initialize]\r\nTitle=claim\r\n[Body]\r\nGraph=claim.png\r\n"));
  SetPictureLoadHook(nullptr);
  EXPECT_EQ(picturesDecoded, 0);
  c.log.ExpectOnlyError("Body用CGの読み込みに失敗しました");
  c.ExpectRunningSkinKept();
}

// A hand of 8192 x 8192 keeps 269 MB of planes, within the bound alone; but
// decoding it takes 268 MB more beside them.
TEST(SkinBounds, ThePictureBeingDecodedCountsToo) {
  Clock c;
  c.folder.WriteText("bomb.bmp", RleBomb(8192));
  picturesDecoded = 0;
  SetPictureLoadHook(CountDecodes);
  EXPECT_FALSE(c.Load("[Initialize]\r\nTitle=bomb\r\n[Body]\r\nGraph=small.bmp\r\n[HourHand]\r\nGraph=bomb.bmp\r\n"));
  SetPictureLoadHook(nullptr);
  EXPECT_EQ(picturesDecoded, 0);
  c.log.ExpectOnlyError("指針用CGの読み込みに失敗しました");
  c.ExpectRunningSkinKept();
}

TEST(SkinBounds, TooManyLargeDialFramesAreRefusedBeforeAnyDecodes) {
  Clock c;
  c.folder.WriteText("bomb.bmp", RleBomb(2048));
  std::string text = "[Initialize]\r\nTitle=bomb\r\nAnimation=100\r\n[Body]\r\nGraph=bomb.bmp\r\n[Dial]\r\n";
  for (int k = 0; k < 100; ++k) text += "Graph" + std::string(k < 10 ? "0" : "") + std::to_string(k) + "=bomb.bmp\r\n";
  picturesDecoded = 0;
  SetPictureLoadHook(CountDecodes);
  EXPECT_FALSE(c.Load(text));
  SetPictureLoadHook(nullptr);
  EXPECT_EQ(picturesDecoded, 0);
  c.log.ExpectOnlyError("文字盤(アニメーション)用CGの読み込みに失敗しました");
  c.ExpectRunningSkinKept();
}

TEST(SkinBounds, RunningOutOfMemoryNamesThePictureAndKeepsTheSkin) {
  Clock c;
  c.folder.WriteSolidBmp("cover.bmp", 2, 2, 0x00FF00);
  SetPictureLoadHook(CoverRunsOutOfMemory);
  EXPECT_FALSE(c.Load("[Initialize]\r\nTitle=next\r\n[Body]\r\nGraph=small.bmp\r\n[Cover]\r\nGraph=cover.bmp\r\n"));
  SetPictureLoadHook(nullptr);
  c.log.ExpectOnlyError("カバー用CGの読み込みに失敗しました");
  c.ExpectRunningSkinKept();
}

TEST(SkinBounds, ABodyKeyOfAngleBracketsFailsWithoutCommitting) {
  // "<<<" is the value the loader reads back when the body key has gone;
  // written into the skin, it names a file that loads, and the load must still
  // change nothing.
  if (!testing_support::FileNamesMayHoldAngleBrackets()) GTEST_SKIP() << "no such file name";
  Clock c;
  c.folder.WriteSolidBmp("<<<", 5, 5, 0x123456);
  EXPECT_FALSE(c.Load("[Initialize]\r\nTitle=brackets\r\n[Body]\r\nGraph=<<<\r\n"));
  c.ExpectRunningSkinKept();
}

}  // namespace
