#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "skin/planar_image.h"
#include "skin_fixture.h"

namespace {

using skintest::SkinFolder;

std::uint32_t Grey(int v) { return static_cast<std::uint32_t>(v * 0x010101); }

// A picture whose every pixel differs: red = x, green = y, blue = x + y.
std::vector<std::uint32_t> Gradient(int width, int height) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels.push_back(static_cast<std::uint32_t>((x << 16) | (y << 8) | ((x + y) & 0xFF)));
    }
  }
  return pixels;
}

void ExpectEmpty(const PlanarImage& image) {
  EXPECT_FALSE(image.hasPlanes);
  EXPECT_FALSE(image.hasMask);
  EXPECT_EQ(image.width, 0);
  EXPECT_EQ(image.height, 0);
  EXPECT_EQ(image.pivotX, 0);
  EXPECT_EQ(image.pivotY, 0);
  EXPECT_TRUE(image.red.empty() && image.green.empty() && image.blue.empty() && image.mask.empty());
}

TEST(MaskValue, WeighsRedMostAndTruncates) {
  EXPECT_EQ(MaskValue(0x000000), 0);
  EXPECT_EQ(MaskValue(0xFFFFFF), 255);
  EXPECT_EQ(MaskValue(Grey(128)), 127);
  EXPECT_EQ(MaskValue(Grey(127)), 126);
  EXPECT_EQ(MaskValue(Grey(1)), 0);
  EXPECT_EQ(MaskValue(0xFF0000), 149);  // red
  EXPECT_EQ(MaskValue(0x00FF00), 76);   // green
  EXPECT_EQ(MaskValue(0x0000FF), 29);   // blue
  EXPECT_EQ(MaskValue(0xFF000000u | Grey(128)), 127);  // bits 24..31 play no part
}

TEST(MaskValue, SixtyFiveGreysComeOutOneLower) {
  int lower = 0;
  for (int v = 0; v < 256; ++v) {
    const int m = MaskValue(Grey(v));
    ASSERT_TRUE(m == v || m == v - 1) << v;
    if (m == v - 1) ++lower;
  }
  EXPECT_EQ(lower, 65);
  for (int v : {1, 2, 4, 8, 127, 128}) EXPECT_EQ(MaskValue(Grey(v)), v - 1) << v;
}

TEST(PlanarImageLoad, PictureFillsThePlanesTopRowFirst) {
  SkinFolder folder;
  const auto pixels = Gradient(7, 3);
  folder.WriteBmp("p.bmp", 7, 3, pixels);
  PlanarImage image;
  ASSERT_TRUE(image.LoadPicture(4, -2, folder.Path("p.bmp").c_str()));
  EXPECT_TRUE(image.hasPlanes);
  EXPECT_FALSE(image.hasMask);
  EXPECT_EQ(image.width, 7);
  EXPECT_EQ(image.height, 3);
  EXPECT_EQ(image.pivotX, 4);
  EXPECT_EQ(image.pivotY, -2);
  ASSERT_EQ(image.red.size(), 21u);
  for (int i = 0; i < 21; ++i) {
    EXPECT_EQ(image.red[i], (pixels[i] >> 16) & 0xFF);
    EXPECT_EQ(image.green[i], (pixels[i] >> 8) & 0xFF);
    EXPECT_EQ(image.blue[i], pixels[i] & 0xFF);
  }
}

TEST(PlanarImageLoad, MissingOrBrokenFileLeavesTheImageEmpty) {
  SkinFolder folder;
  folder.WriteSolidBmp("p.bmp", 2, 2, 0x123456);
  folder.WriteText("broken.bmp", "BM not really a bitmap");
  PlanarImage image;
  ASSERT_TRUE(image.LoadPicture(1, 1, folder.Path("p.bmp").c_str()));
  EXPECT_FALSE(image.LoadPicture(0, 0, folder.Path("missing.bmp").c_str()));
  ExpectEmpty(image);
  ASSERT_TRUE(image.LoadHand(1, 1, folder.Path("p.bmp").c_str()));
  EXPECT_FALSE(image.LoadHand(0, 0, folder.Path("broken.bmp").c_str()));
  ExpectEmpty(image);
}

TEST(PlanarImageLoad, ReloadingReplacesTheMask) {
  SkinFolder folder;
  folder.WriteSolidBmp("p.bmp", 2, 2, 0x123456);
  folder.WriteSolidBmp("m.bmp", 2, 2, 0xFFFFFF);
  PlanarImage image;
  ASSERT_TRUE(image.LoadPictureWithMask(0, 0, folder.Path("p.bmp").c_str(), folder.Path("m.bmp").c_str()));
  EXPECT_TRUE(image.hasMask);
  ASSERT_TRUE(image.LoadPicture(0, 0, folder.Path("p.bmp").c_str()));
  EXPECT_FALSE(image.hasMask);
}

TEST(PlanarImageLoad, PictureWithMaskConvertsBrightness) {
  SkinFolder folder;
  folder.WriteSolidBmp("p.bmp", 3, 1, 0x102030);
  folder.WriteBmp("m.bmp", 3, 1, {Grey(128), 0xFF0000, 0x00FF00});
  PlanarImage image;
  ASSERT_TRUE(image.LoadPictureWithMask(2, 3, folder.Path("p.bmp").c_str(), folder.Path("m.bmp").c_str()));
  EXPECT_TRUE(image.hasMask);
  EXPECT_EQ(image.pivotX, 2);
  EXPECT_EQ(image.pivotY, 3);
  EXPECT_EQ(image.mask, (std::vector<std::uint8_t>{127, 149, 76}));
  EXPECT_EQ(image.red[0], 0x10);
}

TEST(PlanarImageLoad, MaskOfAnotherSizeFailsAndEmpties) {
  SkinFolder folder;
  folder.WriteSolidBmp("p.bmp", 4, 4, 0x102030);
  folder.WriteSolidBmp("narrow.bmp", 3, 4, 0xFFFFFF);
  folder.WriteSolidBmp("short.bmp", 4, 3, 0xFFFFFF);
  PlanarImage image;
  EXPECT_FALSE(image.LoadPictureWithMask(0, 0, folder.Path("p.bmp").c_str(), folder.Path("narrow.bmp").c_str()));
  ExpectEmpty(image);
  EXPECT_FALSE(image.LoadPictureWithMask(0, 0, folder.Path("p.bmp").c_str(), folder.Path("short.bmp").c_str()));
  ExpectEmpty(image);
  EXPECT_FALSE(image.LoadHandWithMask(0, 0, folder.Path("p.bmp").c_str(), folder.Path("narrow.bmp").c_str()));
  ExpectEmpty(image);
  // A missing picture with a present mask fails too.
  EXPECT_FALSE(image.LoadPictureWithMask(0, 0, folder.Path("none.bmp").c_str(), folder.Path("narrow.bmp").c_str()));
  ExpectEmpty(image);
}

TEST(PlanarImageLoad, MissingMaskFileIsTestedFirst) {
  SkinFolder folder;
  folder.WriteSolidBmp("p.bmp", 2, 2, 0xABCDEF);
  PlanarImage image;
  ASSERT_TRUE(image.LoadPicture(5, 6, folder.Path("p.bmp").c_str()));
  EXPECT_FALSE(image.LoadPictureWithMask(0, 0, folder.Path("p.bmp").c_str(), folder.Path("none.bmp").c_str()));
  // The image is not touched: it still holds the earlier picture.
  EXPECT_TRUE(image.hasPlanes);
  EXPECT_EQ(image.pivotX, 5);
  EXPECT_FALSE(image.LoadHandWithMask(0, 0, folder.Path("p.bmp").c_str(), folder.Path("none.bmp").c_str()));
  EXPECT_EQ(image.width, 2);
}

TEST(HandLoad, BorderOfTwoPixelsAndPivotShift) {
  SkinFolder folder;
  const auto pixels = Gradient(10, 40);
  folder.WriteBmp("hand.bmp", 10, 40, pixels);
  PlanarImage hand;
  ASSERT_TRUE(hand.LoadHand(5, 35, folder.Path("hand.bmp").c_str()));
  EXPECT_EQ(hand.width, 14);
  EXPECT_EQ(hand.height, 44);
  EXPECT_EQ(hand.pivotX, 7);
  EXPECT_EQ(hand.pivotY, 37);
  ASSERT_TRUE(hand.hasMask);
  for (int y = 0; y < 44; ++y) {
    for (int x = 0; x < 14; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * 14 + x;
      const bool inside = x >= 2 && x < 12 && y >= 2 && y < 42;
      const std::uint32_t p = inside ? pixels[static_cast<std::size_t>(y - 2) * 10 + (x - 2)] : 0;
      ASSERT_EQ(hand.mask[at], inside ? 255 : 0) << x << "," << y;
      ASSERT_EQ(hand.red[at], (p >> 16) & 0xFF) << x << "," << y;
      ASSERT_EQ(hand.green[at], (p >> 8) & 0xFF) << x << "," << y;
      ASSERT_EQ(hand.blue[at], p & 0xFF) << x << "," << y;
    }
  }
}

TEST(HandLoad, OnePixelHandHasOnlyItsCentreOpaque) {
  SkinFolder folder;
  folder.WriteSolidBmp("dot.bmp", 1, 1, 0xFFFFFF);
  PlanarImage hand;
  ASSERT_TRUE(hand.LoadHand(0, 0, folder.Path("dot.bmp").c_str()));
  ASSERT_EQ(hand.width, 5);
  ASSERT_EQ(hand.height, 5);
  for (int i = 0; i < 25; ++i) EXPECT_EQ(hand.mask[i], i == 12 ? 255 : 0) << i;
}

TEST(HandLoad, MaskBitmapFillsTheInsideOnly) {
  SkinFolder folder;
  folder.WriteSolidBmp("hand.bmp", 2, 3, 0x808080);
  folder.WriteBmp("mask.bmp", 2, 3, {0xFFFFFF, Grey(128), 0xFF0000, 0x00FF00, 0x000000, 0x0000FF});
  PlanarImage hand;
  ASSERT_TRUE(hand.LoadHandWithMask(1, 2, folder.Path("hand.bmp").c_str(), folder.Path("mask.bmp").c_str()));
  EXPECT_EQ(hand.pivotX, 3);
  EXPECT_EQ(hand.pivotY, 4);
  ASSERT_EQ(hand.width, 6);
  ASSERT_EQ(hand.height, 7);
  const std::uint8_t expected[] = {255, 127, 149, 76, 0, 29};
  int seen = 0;
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool inside = x >= 2 && x < 4 && y >= 2 && y < 5;
      const std::uint8_t m = hand.mask[static_cast<std::size_t>(y) * 6 + x];
      if (inside) {
        EXPECT_EQ(m, expected[(y - 2) * 2 + (x - 2)]) << x << "," << y;
        ++seen;
      } else {
        EXPECT_EQ(m, 0) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(seen, 6);
}

TEST(PlanarImageLoad, ClearEmptiesEverything) {
  SkinFolder folder;
  folder.WriteSolidBmp("hand.bmp", 3, 3, 0x808080);
  PlanarImage image;
  ASSERT_TRUE(image.LoadHand(1, 1, folder.Path("hand.bmp").c_str()));
  image.Clear();
  ExpectEmpty(image);
}

TEST(FileTest, ExistingFilesAreReadable) {
  SkinFolder folder;
  folder.WriteText("a.txt", "x");
  EXPECT_TRUE(FileIsReadable(folder.Path("a.txt").c_str()));
  EXPECT_FALSE(FileIsReadable(folder.Path("b.txt").c_str()));
}

}  // namespace
