#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/win32/skin_switching.h"
#include "render/clock_state.h"
#include "unit/skin_fixture.h"
#include "skin/win32/window_region.h"

namespace {

using skintest::MessageLog;
using skintest::SkinFolder;

constexpr std::uint32_t kMagenta = 0xFF00FF;

// A plain popup window that is destroyed with the test.
class TestWindow {
 public:
  TestWindow(int width, int height)
      : handle_(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr)) {}
  ~TestWindow() {
    if (handle_) DestroyWindow(handle_);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND get() const { return handle_; }

 private:
  HWND handle_;
};

// A copy of the window's region, owned by the test; null when it has none.
class RegionCopy {
 public:
  explicit RegionCopy(HWND window) : region_(CreateRectRgn(0, 0, 0, 0)) {
    type_ = GetWindowRgn(window, region_);
  }
  ~RegionCopy() { DeleteObject(region_); }
  RegionCopy(const RegionCopy&) = delete;
  RegionCopy& operator=(const RegionCopy&) = delete;
  int type() const { return type_; }
  bool Contains(int x, int y) const { return PtInRegion(region_, x, y) != FALSE; }
  std::vector<RECT> Rectangles() const {
    const DWORD size = GetRegionData(region_, 0, nullptr);
    std::vector<unsigned char> data(size);
    auto* header = reinterpret_cast<RGNDATA*>(data.data());
    if (size == 0 || GetRegionData(region_, size, header) == 0) return {};
    const RECT* first = reinterpret_cast<const RECT*>(header->Buffer);
    return std::vector<RECT>(first, first + header->rdh.nCount);
  }
  RECT Box() const {
    RECT box{};
    GetRgnBox(region_, &box);
    return box;
  }

 private:
  HRGN region_;
  int type_;
};

struct RegionSkin {
  SkinFolder folder;
  MessageLog log;
  ClockState clock;

  RegionSkin() {
    clock.skinDirectory = folder.dir;
    clock.skinPath = folder.Path("skin.HRL");
  }
  void WriteSkin(const std::string& initialize) {
    folder.WriteText("skin.HRL", "[Initialize]\r\n" + initialize + "[Body]\r\nGraph=body.bmp\r\n");
  }
};

// The region holds exactly the pixels the hit mask marks. The region's own
// rectangles are read back once (a point test per pixel is slow under Wine).
void ExpectRegionMatchesHitMask(const ClockState& clock, HWND window) {
  RegionCopy region(window);
  ASSERT_NE(region.type(), ERROR);
  const int w = clock.hitMaskWidth, h = clock.hitMaskHeight;
  std::vector<std::uint8_t> covered(static_cast<std::size_t>(w) * h, 0);
  for (const RECT& r : region.Rectangles()) {
    ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= w && r.bottom <= h);
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) covered[static_cast<std::size_t>(y) * w + x]++;
    }
  }
  EXPECT_EQ(covered, clock.hitMask);
}

TEST(LoadSkinRegion, ColourKeyCutsTheWindow) {
  RegionSkin skin;
  std::vector<std::uint32_t> body(6 * 4, 0x406080);
  body[0] = body[5] = body[18] = body[23] = kMagenta;
  body[9] = kMagenta;  // a hole in the middle
  skin.folder.WriteBmp("body.bmp", 6, 4, body);
  skin.WriteSkin("");
  TestWindow window(6, 4);
  ASSERT_TRUE(window.get());
  ASSERT_TRUE(LoadSkin(skin.clock, window.get()));
  ExpectRegionMatchesHitMask(skin.clock, window.get());
  RegionCopy region(window.get());
  EXPECT_FALSE(region.Contains(0, 0));
  EXPECT_FALSE(region.Contains(3, 1));
  EXPECT_TRUE(region.Contains(2, 1));
}

TEST(LoadSkinRegion, NonGivesTheWholeRectangle) {
  RegionSkin skin;
  skin.folder.WriteSolidBmp("body.bmp", 9, 5, kMagenta);
  skin.WriteSkin("TransparentColor=non\r\n");
  TestWindow window(9, 5);
  ASSERT_TRUE(LoadSkin(skin.clock, window.get()));
  RegionCopy region(window.get());
  EXPECT_EQ(region.type(), SIMPLEREGION);
  const RECT box = region.Box();
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, 9);
  EXPECT_EQ(box.bottom, 5);
}

TEST(LoadSkinRegion, NoRegionMeansTheWholeBodyIsHit) {
  RegionSkin skin;
  std::vector<std::uint32_t> body(5 * 3, 0x406080);
  body[0] = kMagenta;
  skin.folder.WriteBmp("body.bmp", 5, 3, body);
  skin.WriteSkin("");
  TestWindow window(5, 3);
  RefuseRegionsForTesting(true);
  const bool loaded = LoadSkin(skin.clock, window.get());
  RefuseRegionsForTesting(false);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(RegionCopy(window.get()).type(), ERROR);  // the full rectangle
  EXPECT_EQ(skin.clock.hitMaskWidth, 5);
  EXPECT_EQ(skin.clock.hitMaskHeight, 3);
  EXPECT_EQ(skin.clock.hitMask, std::vector<std::uint8_t>(15, 1));
}

TEST(LoadSkinRegion, AllKeyBodyGivesAnEmptyWindow) {
  RegionSkin skin;
  skin.folder.WriteSolidBmp("body.bmp", 4, 4, kMagenta);
  skin.WriteSkin("");
  TestWindow window(4, 4);
  ASSERT_TRUE(LoadSkin(skin.clock, window.get()));
  RegionCopy region(window.get());
  EXPECT_EQ(region.type(), NULLREGION);
}

TEST(LoadSkinRegion, ManyRunsAreJoinedInPieces) {
  // A checkerboard: one run per opaque pixel, thousands of rectangles.
  RegionSkin skin;
  const int w = 130, h = 100;
  std::vector<std::uint32_t> body(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) body[static_cast<std::size_t>(y) * w + x] = (x + y) % 2 ? kMagenta : 0x101010;
  }
  skin.folder.WriteBmp("body.bmp", w, h, body);
  skin.WriteSkin("TransparentColor=16711935\r\n");
  TestWindow window(w, h);
  ASSERT_TRUE(LoadSkin(skin.clock, window.get()));
  ExpectRegionMatchesHitMask(skin.clock, window.get());
}

TEST(LoadSkinRegion, FailedSettingsLeaveTheRegionAlone) {
  RegionSkin skin;
  std::vector<std::uint32_t> body(4 * 4, 0x406080);
  body[0] = kMagenta;
  skin.folder.WriteBmp("body.bmp", 4, 4, body);
  skin.WriteSkin("");
  TestWindow window(4, 4);
  ASSERT_TRUE(LoadSkin(skin.clock, window.get()));
  skin.WriteSkin("Animation=101\r\nTransparentColor=non\r\n");
  EXPECT_FALSE(LoadSkin(skin.clock, window.get()));
  skin.log.ExpectOnlyError("Animationは0から100迄を指定して下さい");
  RegionCopy region(window.get());
  EXPECT_FALSE(region.Contains(0, 0));
  EXPECT_TRUE(region.Contains(1, 0));
}

}  // namespace
