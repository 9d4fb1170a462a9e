// Skins with large pictures: planes as the pixels say, and memory that goes
// back when one skin replaces another.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/plane_memory.h"
#include "render/clock_state.h"
#include "skin/layer_table.h"
#include "skin/skin_budget.h"
#include "skin/skin_loader.h"
#include "skin_fixture.h"

namespace {

using skintest::MessageLog;
using skintest::SkinFolder;

constexpr int kWidth = 600, kHeight = 480;  // 288,000-byte planes: large ones
constexpr int kHandWidth = 9, kHandHeight = 40;

std::vector<std::uint32_t> Pixels(int width, int height, std::uint32_t seed) {
  std::vector<std::uint32_t> p(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (std::size_t i = 0; i < p.size(); ++i) p[i] = static_cast<std::uint32_t>((i + seed) * 2654435761u) >> 8;
  return p;
}

std::uint8_t Opacity(std::uint32_t p) {
  return static_cast<std::uint8_t>(static_cast<int>(((p >> 16) & 255) * 0.587 + ((p >> 8) & 255) * 0.299 +
                                                    (p & 255) * 0.114));
}

// The planes of a picture written from `colour` (and `mask`), laid out with a
// `border` of black, transparent pixels.
PlanarImage Reference(int width, int height, int border, const std::vector<std::uint32_t>& colour,
                      const std::vector<std::uint32_t>* mask) {
  PlanarImage image;
  image.width = width + 2 * border;
  image.height = height + 2 * border;
  const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
  image.red.assign(count, 0), image.green.assign(count, 0), image.blue.assign(count, 0);
  if (mask != nullptr || border > 0) image.mask.assign(count, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t from = static_cast<std::size_t>(y) * width + x;
      const std::size_t to = static_cast<std::size_t>(y + border) * image.width + x + border;
      image.red[to] = static_cast<std::uint8_t>(colour[from] >> 16);
      image.green[to] = static_cast<std::uint8_t>(colour[from] >> 8);
      image.blue[to] = static_cast<std::uint8_t>(colour[from]);
      if (!image.mask.empty()) image.mask[to] = mask ? Opacity((*mask)[from]) : 255;
    }
  }
  return image;
}

void ExpectSamePlanes(const PlanarImage& loaded, const PlanarImage& expected, const char* what) {
  EXPECT_EQ(loaded.width, expected.width) << what;
  EXPECT_EQ(loaded.height, expected.height) << what;
  EXPECT_TRUE(loaded.red == expected.red && loaded.green == expected.green && loaded.blue == expected.blue &&
              loaded.mask == expected.mask)
      << what;
}

// A skin file `name` in `folder`: a body, a masked second hand and `frames`
// masked dial frames, all but the hand kWidth x kHeight; `seed` varies the pixels.
void WriteSkin(const SkinFolder& folder, const std::string& name, int frames, std::uint32_t seed) {
  const std::string prefix = name + "-";
  std::string text = "[Initialize]\r\nAnimation=" + std::to_string(frames) + "\r\n[Body]\r\nGraph=" + prefix +
                     "body.bmp\r\n[SecondHand]\r\nGraph=" + prefix + "hand.bmp\r\nMask=" + prefix +
                     "handmask.bmp\r\nAxisX=4\r\nAxisY=30\r\n[Dial]\r\n";
  folder.WriteBmp(prefix + "body.bmp", kWidth, kHeight, Pixels(kWidth, kHeight, seed));
  folder.WriteBmp(prefix + "hand.bmp", kHandWidth, kHandHeight, Pixels(kHandWidth, kHandHeight, seed + 1));
  folder.WriteBmp(prefix + "handmask.bmp", kHandWidth, kHandHeight, Pixels(kHandWidth, kHandHeight, seed + 2));
  for (int k = 0; k < frames; ++k) {
    const std::string n = std::to_string(k), key = k < 10 ? "0" + n : n;
    folder.WriteBmp(prefix + "dial" + n + ".bmp", kWidth, kHeight, Pixels(kWidth, kHeight, seed + 10 + 2 * k));
    folder.WriteBmp(prefix + "mask" + n + ".bmp", kWidth, kHeight, Pixels(kWidth, kHeight, seed + 11 + 2 * k));
    text += "Graph" + key + "=" + prefix + "dial" + n + ".bmp\r\nMask" + key + "=" + prefix + "mask" + n + ".bmp\r\n";
  }
  folder.WriteText(name + ".HRL", text);
}

TEST(SkinPlaneMemory, LargePicturesLoadTwiceAsTheirPixels) {
  SkinFolder folder;
  MessageLog log;
  constexpr int kFrames = 2;
  constexpr std::uint32_t kSeed = 7;
  WriteSkin(folder, "a", kFrames, kSeed);
  SkinContent first, second;
  ASSERT_TRUE(LoadSkinContent(folder.Path("a.HRL"), folder.dir, first));
  ASSERT_TRUE(LoadSkinContent(folder.Path("a.HRL"), folder.dir, second));  // while the first lives

  const auto handColour = Pixels(kHandWidth, kHandHeight, kSeed + 1);
  const auto handMask = Pixels(kHandWidth, kHandHeight, kSeed + 2);
  const PlanarImage body = Reference(kWidth, kHeight, 0, Pixels(kWidth, kHeight, kSeed), nullptr);
  const PlanarImage hand = Reference(kHandWidth, kHandHeight, 2, handColour, &handMask);
  for (const SkinContent* content : {&first, &second}) {
    ExpectSamePlanes(content->pictures.layers[Body], body, "body");
    ExpectSamePlanes(content->pictures.frame, body, "frame");
    ExpectSamePlanes(content->pictures.layers[SecondHand], hand, "hand");
    for (int k = 0; k < kFrames; ++k) {
      const auto mask = Pixels(kWidth, kHeight, kSeed + 11 + 2 * k);
      ExpectSamePlanes(content->pictures.layers[DialFrame0 + k],
                       Reference(kWidth, kHeight, 0, Pixels(kWidth, kHeight, kSeed + 10 + 2 * k), &mask), "frame");
    }
  }
}

TEST(SkinPlaneMemory, SwitchingSkinsGivesTheMemoryBack) {
  SkinFolder folder;
  MessageLog log;
  WriteSkin(folder, "a", 4, 1);
  WriteSkin(folder, "b", 3, 100);
  // The larger skin's planes: its body twice (the frame), four masked frames.
  const std::size_t skinBytes = 2 * PlaneBytes(kWidth, kHeight, PictureForm::Plain) +
                                4 * PlaneBytes(kWidth, kHeight, PictureForm::Masked);
  const std::size_t heldBefore = platform::LargePlaneHeldBytes();
  {
    ClockState clock;
    clock.skinDirectory = folder.dir;
    // Far more than the bound below is loaded in all: kept memory would cross it.
    for (int load = 0; load < 14; ++load) {
      clock.skinPath = folder.Path(load % 2 == 0 ? "a.HRL" : "b.HRL");
      WindowShape shape;
      ASSERT_TRUE(clock.LoadSkinData(shape)) << "load " << load;
      EXPECT_LE(platform::LargePlaneHeldBytes() - heldBefore, 2 * platform::kLargePlaneRegionBytes + 4 * skinBytes)
          << "load " << load;
    }
  }
  EXPECT_EQ(platform::LargePlaneHeldBytes(), heldBefore);
}

}  // namespace
