// Skins drawn with alpha: PNG (told by its signature, not its name) and V5
// BMP pictures wherever a skin names one. A layer's own alpha is its mask
// unless a mask file is named; the body's alpha is kept beside it and cuts the
// window's outline at one half.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "skin/layer_table.h"
#include "skin/plane_split.h"
#include "skin/skin_loader.h"
#include "png_writer.h"
#include "skin_fixture.h"
#include "test_host.h"

namespace {

using pngtest::EncodePng;
using pngtest::PngPicture;
using skintest::MessageLog;
using skintest::SkinFolder;

// An RGBA picture whose pixel i has alpha alphas[i % size] and a colour made
// from i.
PngPicture Rgba(int width, int height, const std::vector<std::uint16_t>& alphas) {
  PngPicture p;
  p.width = width;
  p.height = height;
  for (int i = 0; i < width * height; ++i) {
    const std::uint16_t rgba[4] = {static_cast<std::uint16_t>(10 * i % 256), 7, static_cast<std::uint16_t>(255 - i),
                                   alphas[static_cast<std::size_t>(i) % alphas.size()]};
    for (std::uint16_t sample : rgba) p.samples.push_back(sample);
  }
  return p;
}

std::vector<std::uint8_t> Alphas(const PngPicture& p) {
  std::vector<std::uint8_t> out;
  for (std::size_t i = 3; i < p.samples.size(); i += 4) out.push_back(static_cast<std::uint8_t>(p.samples[i]));
  return out;
}

std::vector<std::uint8_t> BytesOf(const Plane& plane) { return std::vector<std::uint8_t>(plane.begin(), plane.end()); }

TEST(AlphaSkin, PngBodyAndLayersCarryTheirAlpha) {
  SkinFolder folder;
  MessageLog log;
  // Body 6 x 4: alphas around the one-half line; its colour key names the
  // colour of its top-left pixel, which must not cut a body with alpha.
  const PngPicture body = Rgba(6, 4, {0, 127, 128, 255, 64, 200, 255});
  const PngPicture hand = Rgba(3, 5, {255, 0, 90});
  folder.WriteText("body.png", EncodePng(body));
  folder.WriteText("hand.png", EncodePng(hand));
  // A palette picture with transparency, under a BMP's name.
  PngPicture cover;
  cover.width = 4;
  cover.height = 1;
  cover.colourType = 3;
  cover.samples = {0, 1, 2, 1};
  cover.palette = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  cover.transparency = std::string("\x00\x80", 2);
  folder.WriteText("cover.bmp", EncodePng(cover));
  // Numerals with alpha and a mask file: the mask file wins.
  folder.WriteText("numerals.png", EncodePng(Rgba(2, 2, {0})));
  const std::vector<std::uint32_t> maskPixels = {0xFFFFFF, 0x000000, 0x808080, 0x102030};
  folder.WriteBmp("nummask.bmp", 2, 2, maskPixels);
  folder.WriteText("skin.HRL",
                   "[Initialize]\r\nTransparentColor=16777216\r\n[Body]\r\nGraph=body.png\r\n"
                   "[SecondHand]\r\nGraph=hand.png\r\nAxisX=1\r\nAxisY=4\r\n"
                   "[Dial]\r\nNumchar=numerals.png\r\nNumMask=nummask.bmp\r\n[Cover]\r\nGraph=cover.bmp\r\n");
  SkinContent content;
  ASSERT_TRUE(LoadSkinContent(folder.Path("skin.HRL"), folder.dir, content));
  EXPECT_TRUE(log.messages.empty());

  const SkinPictureSet& pictures = content.pictures;
  EXPECT_EQ(BytesOf(pictures.bodyAlpha), Alphas(body));
  EXPECT_FALSE(pictures.layers[Body].hasMask);
  EXPECT_FALSE(pictures.frame.hasMask);
  EXPECT_EQ(pictures.layers[Body].red[1], 10);
  ASSERT_TRUE(content.shape.valid);
  std::vector<std::uint8_t> inside;
  for (std::uint8_t a : Alphas(body)) inside.push_back(a >= 128 ? 1 : 0);
  EXPECT_EQ(content.hitMask, inside);
  std::size_t covered = 0;
  for (const ShapeRun& run : content.shape.runs) covered += static_cast<std::size_t>(run.x1 - run.x0);
  EXPECT_EQ(covered, static_cast<std::size_t>(std::count(inside.begin(), inside.end(), 1)));

  const PlanarImage& second = pictures.layers[SecondHand];
  ASSERT_TRUE(second.hasMask);
  const std::vector<std::uint8_t> handAlphas = Alphas(hand);
  for (int y = 0; y < second.height; ++y) {
    for (int x = 0; x < second.width; ++x) {
      const bool border = x < 2 || y < 2 || x >= second.width - 2 || y >= second.height - 2;
      const std::uint8_t expected = border ? 0 : handAlphas[static_cast<std::size_t>(y - 2) * 3 + (x - 2)];
      EXPECT_EQ(second.mask[static_cast<std::size_t>(y) * second.width + x], expected) << x << "," << y;
    }
  }
  EXPECT_EQ(second.pivotX, 3);

  const PlanarImage& coverLayer = pictures.layers[Cover];
  ASSERT_TRUE(coverLayer.hasMask);
  EXPECT_EQ(BytesOf(coverLayer.mask), (std::vector<std::uint8_t>{0, 128, 255, 128}));
  EXPECT_EQ(BytesOf(coverLayer.green), (std::vector<std::uint8_t>{2, 5, 8, 5}));

  const PlanarImage& numerals = pictures.layers[DialNumerals];
  ASSERT_TRUE(numerals.hasMask);
  for (std::size_t i = 0; i < maskPixels.size(); ++i) EXPECT_EQ(numerals.mask[i], MaskValue(maskPixels[i]));
}

// Pictures without alpha load as they always did: no alpha plane, the colour
// key cuts the outline, a hand is opaque, whatever format holds them.
TEST(AlphaSkin, PicturesWithoutAlphaKeepTodaysRules) {
  SkinFolder folder;
  MessageLog log;
  PngPicture body;  // RGB, the middle pixel in the key colour
  body.width = 3;
  body.height = 1;
  body.colourType = 2;
  body.samples = {1, 2, 3, 9, 9, 9, 4, 5, 6};
  folder.WriteText("body.bmp", EncodePng(body));
  folder.WriteText("hand.png", EncodePng(Rgba(2, 2, {255})));  // alpha, but opaque everywhere
  folder.WriteText("skin.HRL",
                   "[Initialize]\r\nTransparentColor=592137\r\n[Body]\r\nGraph=body.bmp\r\n"
                   "[HourHand]\r\nGraph=hand.png\r\n");
  SkinContent content;
  ASSERT_TRUE(LoadSkinContent(folder.Path("skin.HRL"), folder.dir, content));
  EXPECT_TRUE(log.messages.empty());
  EXPECT_TRUE(content.pictures.bodyAlpha.empty());
  EXPECT_EQ(content.hitMask, (std::vector<std::uint8_t>{1, 0, 1}));  // 592137 is 0x090909
  const PlanarImage& hour = content.pictures.layers[HourHand];
  EXPECT_EQ(hour.mask[2 * hour.width + 2], 255);
  EXPECT_FALSE(content.pictures.layers[Body].hasMask);
}

// The guide's example: a PNG body, PNG hands and cap, and a second hand in
// a 32-bit BMP with a V5 alpha mask (on Windows colour from the platform's
// loader, alpha from ours).
TEST(AlphaSkin, TheGuidesSoftExampleLoadsWithEveryAlpha) {
  const std::string s(1, testing_support::kPathSeparator);
  const std::string folder = testing_support::SourceTree() + s + "docs" + s + "examples" + s + "soft" + s;
  MessageLog log;
  SkinContent content;
  ASSERT_TRUE(LoadSkinContent(folder + "Soft.HRL", folder, content));
  EXPECT_TRUE(log.messages.empty());
  ASSERT_EQ(content.pictures.bodyAlpha.size(), 96u * 96u);
  EXPECT_EQ(content.pictures.bodyAlpha[0], 0);          // outside the shadow
  EXPECT_EQ(content.pictures.bodyAlpha[48 * 96 + 48], 255);
  EXPECT_EQ(content.hitMask[0], 0);
  EXPECT_EQ(content.hitMask[48 * 96 + 48], 1);
  // The shadow is kept in the alpha, below the half that cuts the outline.
  const std::size_t shadow = 93 * 96 + 52;
  EXPECT_GT(content.pictures.bodyAlpha[shadow], 0);
  EXPECT_LT(content.pictures.bodyAlpha[shadow], 128);
  EXPECT_EQ(content.hitMask[shadow], 0);
  const PlanarImage& second = content.pictures.layers[SecondHand];
  ASSERT_TRUE(second.hasMask);
  // A 2-pixel hand with a soft round tip: both columns half covered at the
  // pixel centres, its red from the BMP's colour.
  EXPECT_EQ(second.mask[static_cast<std::size_t>(20 + 2) * second.width + 2], 255);
  EXPECT_EQ(second.red[static_cast<std::size_t>(20 + 2) * second.width + 2], 0xD0);
  EXPECT_LT(second.mask[static_cast<std::size_t>(2) * second.width + 2], 255);
}

}  // namespace
