// Our BMP writer: the bytes it lays down, what it refuses, and files that the
// platform's own loader reads back.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/bitmap_file.h"
#include "platform/bmp_decoder.h"
#include "skin/bmp_writer.h"
#include "skin_fixture.h"

namespace {

TEST(BmpWriter, WritesBottomUpRowsWithPadding) {
  const std::uint32_t pixels[] = {0x112233, 0x445566, 0xAABBCC, 0xDDEEFF};  // 2 x 2
  const std::string bytes = EncodeBmp24(2, 2, pixels);
  ASSERT_EQ(bytes.size(), 14u + 40u + 2 * 8u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  // The bottom row comes first, blue green red, padded to 8 bytes.
  EXPECT_EQ(bytes.substr(54, 8), std::string("\xCC\xBB\xAA\xFF\xEE\xDD\0\0", 8));
  EXPECT_EQ(bytes.substr(62, 8), std::string("\x33\x22\x11\x66\x55\x44\0\0", 8));
  const std::vector<std::uint8_t> exact(bytes.begin(), bytes.end());
  platform::BitmapPixels got;
  ASSERT_TRUE(DecodeBmp(exact.data(), exact.size(), got));
  EXPECT_EQ(got.pixels, std::vector<std::uint32_t>(pixels, pixels + 4));
}

TEST(BmpWriter, RefusesWhatItCannotWrite) {
  const std::uint32_t pixel = 0;
  EXPECT_TRUE(EncodeBmp24(0, 1, &pixel).empty());
  EXPECT_TRUE(EncodeBmp24(1, -1, &pixel).empty());
  EXPECT_TRUE(EncodeBmp24(1, 1, nullptr).empty());
  EXPECT_TRUE(EncodeBmp24(40000, 40000, &pixel).empty()) << "over 2 GiB";
  skintest::SkinFolder folder;
  const std::string unmade = folder.Path(std::string("missing-folder") + skintest::kSeparator + "x.bmp");
  EXPECT_FALSE(WriteBmp24(unmade.c_str(), 1, 1, &pixel));
  EXPECT_FALSE(WriteBmp24(folder.Path("empty.bmp").c_str(), 0, 0, &pixel));
}

TEST(BmpWriter, FilesRoundTripThroughThePlatformLoader) {
  skintest::SkinFolder folder;
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 11; ++x) pixels.push_back(static_cast<std::uint32_t>(x * 0x170B03 + y * 0x031F29) & 0xFFFFFF);
  // A Japanese file name: the path is code page 932 on both sides.
  const std::string path = folder.Path("時計.bmp");
  ASSERT_TRUE(WriteBmp24(path.c_str(), 11, 9, pixels.data()));
  platform::BitmapPixels got;
  ASSERT_TRUE(platform::LoadBitmapPixels(path.c_str(), got));
  ASSERT_EQ(got.width, 11);
  ASSERT_EQ(got.height, 9);
  for (std::uint32_t& p : got.pixels) p &= 0xFFFFFF;
  EXPECT_EQ(got.pixels, pixels);
}

}  // namespace
