// Painting and text drawing must give back every GDI object they make.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/win32/tray_icon.h"
#include "render/clock_state.h"
#include "ui/intro_picture.h"
#include "ui/win32/dialog_paint.h"
#include "unit_win32/handle_slots.h"

namespace {

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = PlainProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"HoraluneTestPaint";
  RegisterClassW(&windowClass);
  return CreateWindowExW(0, L"HoraluneTestPaint", L"paint", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300,
                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void PaintEverything(HWND window, ClockState& clock) {
  InvalidateRect(window, nullptr, FALSE);
  PaintGradient(window, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT));
  InvalidateRect(window, nullptr, FALSE);
  PaintIntroPicture(clock, window);
  RECT rectangle{10, 10, 200, 200};
  DrawDialogText(window, rectangle, DT_RIGHT | DT_WORDBREAK | DT_END_ELLIPSIS, 12, 0, 0, 0,
                 GetSysColor(COLOR_BTNTEXT), 0, "ほらるね 表示\n\nWork Introduction");
  DrawDialogText(window, rectangle, DT_BOTTOM, 16, 700, 1, 1, 0, 900, "Version Information");
}

}  // namespace

TEST(DialogPainting, HundredPaintsLeakNoGdiObject) {
  const HWND window = MakeWindow();
  ASSERT_NE(window, nullptr);
  ClockState clock;
  BuildIntroPicture(clock, 0x00C0C0C0);
  PaintEverything(window, clock);  // first use: the font record and caches settle
  const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const WORD slotBefore = NextGdiSlot();
  for (int i = 0; i < 100; ++i) PaintEverything(window, clock);
  const DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  // Where the count is not kept (Wine), a leak shows as handle slots running on.
  if (before != 0) {
    EXPECT_EQ(after, before);
  }
  EXPECT_EQ(NextGdiSlot(), slotBefore);
  DestroyWindow(window);
}

TEST(TrayIcon, TipIsTheTitleCutToFit) {
  EXPECT_EQ(TrayTip("ほらるね"), L"ほらるね");
  EXPECT_EQ(TrayTip(nullptr), L"");
  std::string title;
  for (int i = 0; i < 100; ++i) title += "表";  // 100 characters, 200 bytes
  const std::wstring tip = TrayTip(title.c_str());
  EXPECT_EQ(tip.size(), 63u);
  EXPECT_EQ(tip.back(), L'表');
}

TEST(TrayIcon, ComesBackWithTheSkinTitleAfterExplorerRestarts) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  AddTrayIcon(window);
  UpdateTrayTip("月の時計");
  AddTrayIcon(window);  // what the window does on "TaskbarCreated"
  EXPECT_STREQ(TrayIconRecord().szTip, L"月の時計");
  DeleteTrayIcon();
  DestroyWindow(window);
}
