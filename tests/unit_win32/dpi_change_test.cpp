// The clock window moved to a monitor with another scale: Windows sends
// WM_DPICHANGED (Wine never does, so the test sends it) and the window takes
// the suggested place at the new size, with the outline and picture of that
// scale and the moment it showed.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/win32/dpi_change.h"
#include "render/clock_state.h"
#include "skin/display_scale.h"
#include "unit/skin_fixture.h"

namespace {

using skintest::MessageLog;
using skintest::SkinFolder;

ClockState* clockForWindow = nullptr;

LRESULT CALLBACK DpiWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DPICHANGED && clockForWindow != nullptr) {
    ApplyWindowDpi(*clockForWindow, window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A 20 x 16 body with cut-out corners, a hand and a two-frame dial.
void WriteClockSkin(const SkinFolder& folder) {
  std::vector<std::uint32_t> body;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 20; ++x) {
      const bool corner = (x < 3 || x >= 17) && (y < 3 || y >= 13);
      body.push_back(corner ? 0xFF00FF : static_cast<std::uint32_t>(0x204060 + x * 5 + y * 0x300));
    }
  }
  folder.WriteBmp("body.bmp", 20, 16, body);
  folder.WriteSolidBmp("hand.bmp", 3, 7, 0xE0E0E0);
  folder.WriteSolidBmp("dial0.bmp", 4, 4, 0x101010);
  folder.WriteSolidBmp("dial1.bmp", 4, 4, 0x808000);
  folder.WriteText("skin.HRL",
                   "[Initialize]\r\nAnimation=2\r\nPermillage=0\r\nAxisPosX=10\r\nAxisPosY=8\r\n"
                   "DialPosX=2\r\nDialPosY=6\r\nTransparentColor=16711935\r\n"
                   "[Body]\r\nGraph=body.bmp\r\n"
                   "[MinuteHand]\r\nGraph=hand.bmp\r\nAxisX=1\r\nAxisY=6\r\n"
                   "[Dial]\r\nGraph00=dial0.bmp\r\nGraph01=dial1.bmp\r\n");
}

TEST(DpiChange, WindowTakesTheSuggestedPlaceAtTheNewScale) {
  SkinFolder folder;
  MessageLog log;
  WriteClockSkin(folder);
  ClockState clock;
  clock.skinDirectory = folder.dir;
  clock.skinPath = folder.Path("skin.HRL");
  clock.displayDpi = 144;
  WindowShape shape;
  ASSERT_TRUE(clock.LoadSkinData(shape));
  ASSERT_EQ(clock.frame.width, 30);
  clock.hour = 2, clock.minute = 20, clock.second = 0;
  clock.animating = true;  // the dial animation is on its second frame
  clock.animationFrame = 1;

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DpiWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"HoraluneDpiTest";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"HoraluneDpiTest", L"", WS_POPUP, 10, 10, 30, 24, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  clockForWindow = &clock;

  RECT suggested{300, 200, 341, 233};  // Windows' own rounding of the old size
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));

  RECT rect{};
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 300);
  EXPECT_EQ(rect.top, 200);
  EXPECT_EQ(rect.right - rect.left, 40);  // twice the body, by the rounding rule
  EXPECT_EQ(rect.bottom - rect.top, 32);
  EXPECT_EQ(clock.DrawDpi(), 192);
  EXPECT_TRUE(clock.animating);
  EXPECT_EQ(clock.animationFrame, 1);

  // The region is the outline at the new size: corners cut, middle kept.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(window, region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_FALSE(PtInRegion(region, 39, 31));
  EXPECT_FALSE(PtInRegion(region, 5, 5));
  EXPECT_TRUE(PtInRegion(region, 6, 6));
  EXPECT_TRUE(PtInRegion(region, 20, 0));
  RECT box{};
  GetRgnBox(region, &box);
  EXPECT_EQ(box.right, 40);
  EXPECT_EQ(box.bottom, 32);
  DeleteObject(region);

  // The picture is the one a clock drawn at 192 dpi from the start shows.
  ClockState direct;
  direct.skinDirectory = folder.dir;
  direct.skinPath = folder.Path("skin.HRL");
  direct.displayDpi = 192;
  ASSERT_TRUE(direct.LoadSkinData(shape));
  direct.hour = 2, direct.minute = 20, direct.second = 0;
  direct.animating = true;
  direct.animationFrame = 1;
  direct.RedrawFrame();
  EXPECT_EQ(clock.frame.red, direct.frame.red);
  EXPECT_EQ(clock.frame.green, direct.frame.green);
  EXPECT_EQ(clock.frame.blue, direct.frame.blue);

  clockForWindow = nullptr;
  DestroyWindow(window);
  UnregisterClassW(L"HoraluneDpiTest", GetModuleHandleW(nullptr));
}

}  // namespace
