// The window takes the body's size from its headers, with the loader's bounds.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/win32/skin_switching.h"
#include "ui/win32/program_state.h"
#include "render/clock_state.h"
#include "unit/rle_bomb.h"
#include "unit/skin_fixture.h"

namespace {

SIZE WindowSize(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

TEST(FitWindowToBody, SizesFromTheHeadersAndRefusesAGiantBody) {
  skintest::SkinFolder folder;
  folder.WriteSolidBmp("body.bmp", 7, 5, 0x336699);
  folder.WriteText("bomb.bmp", skintest::RleBomb(16384));
  folder.WriteText("small.HRL", "[Body]\r\nGraph=body.bmp\r\n");
  folder.WriteText("bomb.HRL", "[Body]\r\nGraph=bomb.bmp\r\n");
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 3, 3, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  const HWND previousMain = mainWindow;
  const std::string previousDirectory = clockState.skinDirectory;
  mainWindow = window;
  clockState.skinDirectory = folder.dir;

  EXPECT_TRUE(FitWindowToBody(window, folder.Path("small.HRL")));
  EXPECT_EQ(WindowSize(window).cx, 7);
  EXPECT_EQ(WindowSize(window).cy, 5);
  EXPECT_FALSE(FitWindowToBody(window, folder.Path("bomb.HRL")));
  EXPECT_EQ(WindowSize(window).cx, 7);

  mainWindow = previousMain;
  clockState.skinDirectory = previousDirectory;
  DestroyWindow(window);
}

}  // namespace
