// Weeks of running in a few seconds: switching skins and presenting frames,
// blitted or as a layered window, must give back every GDI and USER object
// they make.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/win32/skin_switching.h"
#include "render/win32/present_frame.h"
#include "render/clock_state.h"
#include "unit/skin_fixture.h"
#include "unit_win32/handle_slots.h"

namespace {

struct HandleUse {
  DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  WORD gdiSlot = NextGdiSlot();
  WORD userSlot = NextUserSlot();
};

void ExpectSame(const HandleUse& before, const HandleUse& after) {
  if (before.gdi != 0) {
    EXPECT_EQ(after.gdi, before.gdi);
  }
  if (before.user != 0) {
    EXPECT_EQ(after.user, before.user);
  }
  // A leak makes the slots run on. Wine's USER table is shared by every process
  // of the prefix, so another process freeing a handle can lower the slot.
  EXPECT_LE(after.gdiSlot, before.gdiSlot);
  EXPECT_LE(after.userSlot, before.userSlot);
}

TEST(LongRun, SkinSwitchesAndTenThousandFramesKeepHandleUseStable) {
  skintest::MessageLog log;
  skintest::SkinFolder folder;
  std::vector<std::uint32_t> body(40 * 30, 0x406080);
  body[0] = 0xFF00FF;
  folder.WriteBmp("a.bmp", 40, 30, body);
  folder.WriteSolidBmp("b.bmp", 30, 40, 0x204060);
  folder.WriteSolidBmp("hand.bmp", 3, 12, 0xFFFFFF);
  const std::string hands = "[HourHand]\r\nGraph=hand.bmp\r\nAxisX=1\r\nAxisY=10\r\n"
                            "[SecondHand]\r\nGraph=hand.bmp\r\nAxisX=1\r\nAxisY=10\r\n";
  folder.WriteText("a.HRL", "[Initialize]\r\nAxisPosX=20\r\nAxisPosY=15\r\n[Body]\r\nGraph=a.bmp\r\n" + hands);
  folder.WriteText("b.HRL", "[Initialize]\r\nTransparentColor=non\r\nSpecialMenu=1\r\n[Body]\r\nGraph=b.bmp\r\n" + hands);

  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  ClockState clock;
  clock.skinDirectory = folder.dir;
  int tick = 0;
  clock.SetTimeSource([&tick](int& h, int& m, int& s) {
    h = tick / 3600 % 24;
    m = tick / 60 % 60;
    s = tick % 60;
  });
  auto present = [&](int effect) {
    ++tick;
    clock.ReadClock();
    clock.ComposeFrame();
    PresentFrame(clock, window, effect, false);
  };
  auto load = [&](int i) {
    clock.softEdges = i % 4 >= 2;
    clock.skinPath = folder.Path(i % 2 ? "b.HRL" : "a.HRL");
    ASSERT_TRUE(LoadSkin(clock, window));
    present(0);
  };
  // First use settles caches and fonts.
  for (int i = 0; i < 4; ++i) load(i);
  present(1);
  const HandleUse before;
  for (int i = 0; i < 200; ++i) load(i);
  for (int i = 0; i < 10000; ++i) {
    clock.softEdges = i >= 5000;
    present(i % 4);
    ASSERT_EQ(clock.softEdges, i >= 5000) << "the layered update was refused";
  }
  ExpectSame(before, HandleUse());
  EXPECT_TRUE(log.messages.empty());
  DestroyWindow(window);
}

}  // namespace
