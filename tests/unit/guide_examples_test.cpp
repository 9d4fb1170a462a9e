// The example skins of the skin authors' guide (docs/examples) render with
// horalune-frame: every picture they name loads, the output has the body's size,
// the hands follow the time and the dial animation frames come from their
// subfolder.
#ifdef HORALUNE_FRAME_TOOL

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/bitmap_file.h"
#include "skin_fixture.h"

namespace {

using skintest::SkinFolder;

const std::string kExamples = std::string(HORALUNE_SOURCE_DIR) + "/docs/examples/";

struct Example {
  const char* skin;  // under docs/examples
  int width;
  int height;
};

const Example kGuideExamples[] = {
    {"square/Square.HRL", 64, 64},
    {"round/Round.HRL", 96, 96},
    {"blink/Blink.HRL", 88, 72},
    {"soft/Soft.HRL", 96, 96},
};

// Runs the tool and returns its exit status; standard error goes to a file.
int Render(const SkinFolder& out, const std::string& skin, const std::string& options, const std::string& bmp) {
  const std::string command = "'" + std::string(HORALUNE_FRAME_TOOL) + "' '" + kExamples + skin + "' " + options +
                              " -o '" + out.Path(bmp) + "' >/dev/null 2>'" + out.Path("stderr.txt") + "'";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

platform::BitmapPixels Picture(const SkinFolder& out, const std::string& bmp) {
  platform::BitmapPixels picture;
  EXPECT_TRUE(platform::LoadBitmapPixels(out.Path(bmp).c_str(), picture)) << bmp;
  for (auto& pixel : picture.pixels) pixel &= 0xFFFFFFu;
  return picture;
}

TEST(GuideExamples, EachRendersAtItsBodySizeAndItsHandsMove) {
  for (const Example& example : kGuideExamples) {
    SCOPED_TRACE(example.skin);
    SkinFolder out;
    ASSERT_EQ(Render(out, example.skin, "--time 10:08:30", "a.bmp"), 0);
    ASSERT_EQ(Render(out, example.skin, "--time 04:40:00", "b.bmp"), 0);
    const platform::BitmapPixels a = Picture(out, "a.bmp");
    const platform::BitmapPixels b = Picture(out, "b.bmp");
    EXPECT_EQ(a.width, example.width);
    EXPECT_EQ(a.height, example.height);
    ASSERT_EQ(a.pixels.size(), b.pixels.size());
    EXPECT_NE(a.pixels, b.pixels) << "the hands did not move";
  }
}

TEST(GuideExamples, DialAnimationFramesLoadFromTheSubfolder) {
  SkinFolder out;
  ASSERT_EQ(Render(out, "blink/Blink.HRL", "--time 10:08:30", "rest.bmp"), 0);
  ASSERT_EQ(Render(out, "blink/Blink.HRL", "--time 10:08:30 --dial-frame 1", "big.bmp"), 0);
  const platform::BitmapPixels rest = Picture(out, "rest.bmp");
  const platform::BitmapPixels big = Picture(out, "big.bmp");
  ASSERT_EQ(rest.pixels.size(), big.pixels.size());
  // The star is drawn at (32, 8), 24 x 24; its centre is bright only in the big frame's picture.
  int changed = 0;
  for (int y = 8; y < 32; ++y) {
    for (int x = 32; x < 56; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * 88 + x;
      if (rest.pixels[i] != big.pixels[i]) ++changed;
    }
  }
  EXPECT_GT(changed, 20);
}

TEST(GuideExamples, ColourKeyOfTheRoundSkinStaysOutsideTheFace) {
  // The corners keep the key colour, so the window shape cuts them out; the
  // centre is covered by the cap.
  SkinFolder out;
  ASSERT_EQ(Render(out, "round/Round.HRL", "--time 10:08:30 --effect 0", "round.bmp"), 0);
  const platform::BitmapPixels picture = Picture(out, "round.bmp");
  ASSERT_EQ(picture.width, 96);
  EXPECT_EQ(picture.pixels[0], 0xFF00FFu);
  EXPECT_EQ(picture.pixels[95 * 96 + 95], 0xFF00FFu);
  EXPECT_EQ(picture.pixels[48 * 96 + 48], 0xD03020u);
}

}  // namespace

#endif  // HORALUNE_FRAME_TOOL
