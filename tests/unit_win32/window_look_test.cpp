// Opacity and click-through as the window's styles and layered alpha, for
// every choice the menu offers, switched in any order.
#include <windows.h>

#include <gtest/gtest.h>

#include "ui/win32/window_look.h"

namespace {

struct Seen {
  bool layered;
  bool transparent;
  int alpha;  // -1: no layered alpha
};

Seen Look(HWND window) {
  const LONG style = GetWindowLongW(window, GWL_EXSTYLE);
  BYTE alpha = 0;
  DWORD flags = 0;
  const bool hasAlpha = (style & WS_EX_LAYERED) &&
                        GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) &&
                        (flags & LWA_ALPHA);
  return Seen{(style & WS_EX_LAYERED) != 0, (style & WS_EX_TRANSPARENT) != 0,
              hasAlpha ? alpha : -1};
}

TEST(WindowLook, StylesAndAlphaFollowEveryChoiceAndLeaveOtherStylesAlone) {
  ASSERT_FALSE(FrameCarriesOpacity());  // these expectations are the region path's
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES, L"STATIC", L"", WS_POPUP, 0,
                                0, 20, 20, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  // Back and forth through every pair, so each is reached from others.
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < kOpacityChoiceCount * 2; ++i) {
      const int choice = round == 0 ? i / 2 : kOpacityChoiceCount - 1 - i / 2;
      const WindowLook look{kOpacityChoices[choice], (i + round) % 2 == 1};
      ApplyWindowLook(window, look);
      const Seen seen = Look(window);
      const bool layered = look.clickThrough || look.opacityPercent < 100;
      EXPECT_EQ(seen.layered, layered) << look.opacityPercent << " " << look.clickThrough;
      EXPECT_EQ(seen.transparent, look.clickThrough) << look.opacityPercent;
      EXPECT_EQ(seen.alpha, layered ? (look.opacityPercent * 255 + 50) / 100 : -1)
          << look.opacityPercent;
      const LONG style = GetWindowLongW(window, GWL_EXSTYLE);
      EXPECT_TRUE((style & WS_EX_TOOLWINDOW) && (style & WS_EX_ACCEPTFILES));
    }
  }
  ApplyWindowLook(window, WindowLook{});
  EXPECT_FALSE(Look(window).layered);
  DestroyWindow(window);
}

}  // namespace
