// The clock window as a layered window: the update is accepted and makes the
// window layered, and a click on a cut pixel reaches the window beneath while
// one inside the outline stays with the clock.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/win32/skin_switching.h"
#include "render/clock_state.h"
#include "render/colour_effects.h"
#include "render/win32/layered_window.h"
#include "render/win32/present_frame.h"
#include "unit/skin_fixture.h"

namespace {

constexpr wchar_t kClass[] = L"HoraluneLayeredTest";

// A top-level window of a class that answers hit tests itself (a STATIC
// control would let every point through).
class PlainWindow {
 public:
  PlainWindow(int x, int y, int w, int h, DWORD exStyle) {
    static const bool registered = [] {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = DefWindowProcW;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = kClass;
      return RegisterClassExW(&wc) != 0;
    }();
    if (registered) {
      handle_ = CreateWindowExW(exStyle, kClass, L"", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    }
  }
  ~PlainWindow() {
    if (handle_) DestroyWindow(handle_);
  }
  PlainWindow(const PlainWindow&) = delete;
  PlainWindow& operator=(const PlainWindow&) = delete;
  HWND get() const { return handle_; }

 private:
  HWND handle_ = nullptr;
};

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

TEST(LayeredWindow, FrameWithAlphaIsShownAndCutPixelsFindTheWindowBeneath) {
  skintest::MessageLog log;
  skintest::SkinFolder folder;
  const int side = 60;
  std::vector<std::uint32_t> body(side * side, 0xFF00FF);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      const int dx = 2 * x + 1 - side, dy = 2 * y + 1 - side;
      if (dx * dx + dy * dy <= side * side) body[static_cast<std::size_t>(y) * side + x] = 0x3060A0;
    }
  folder.WriteBmp("round.bmp", side, side, body);
  folder.WriteText("round.HRL", "[Initialize]\r\nTransparentColor=16711935\r\n[Body]\r\nGraph=round.bmp\r\n");

  PlainWindow beneath(100, 100, 200, 200, 0);
  PlainWindow clockWindow(150, 150, side, side, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
  ASSERT_NE(beneath.get(), nullptr);
  ASSERT_NE(clockWindow.get(), nullptr);
  ClockState clock;
  clock.softEdges = true;
  clock.skinDirectory = folder.dir;
  clock.skinPath = folder.Path("round.HRL");
  ASSERT_TRUE(LoadSkin(clock, clockWindow.get()));
  clock.ComposeFrame();

  // The update is accepted (the clock keeps the layered path) and the window
  // is layered; so it is at another opacity and under every effect.
  for (int opacity : {100, 50}) {
    clock.windowOpacityPercent = opacity;
    for (int effect = Normal; effect <= Emboss; ++effect) PresentFrame(clock, clockWindow.get(), effect, false);
    EXPECT_TRUE(clock.softEdges) << opacity;
  }
  EXPECT_NE(GetWindowLongPtrW(clockWindow.get(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  std::vector<std::uint32_t> rows;
  ASSERT_TRUE(RenderPremultipliedPresentation(clock.frame, clock.frameAlpha, Normal, rows));
  EXPECT_TRUE(PresentLayered(clockWindow.get(), rows, side, side, 100));
  EXPECT_FALSE(PresentLayered(clockWindow.get(), rows, side + 1, side, 100));  // rows of another size
  EXPECT_EQ(ConstantAlpha(100), 255);
  EXPECT_EQ(ConstantAlpha(50), 128);
  EXPECT_EQ(ConstantAlpha(70), 179);
  EXPECT_EQ(ConstantAlpha(0), 0);
  Pump();

  // A corner pixel is cut (alpha 0): the point belongs to the window beneath.
  EXPECT_EQ(WindowFromPoint(POINT{151, 151}), beneath.get());
  EXPECT_EQ(WindowFromPoint(POINT{150 + side - 2, 150 + side - 2}), beneath.get());
  EXPECT_EQ(WindowFromPoint(POINT{150 + side / 2, 150 + side / 2}), clockWindow.get());
  EXPECT_EQ(WindowFromPoint(POINT{150 + side / 2, 151}), clockWindow.get());  // the top of the round
  EXPECT_TRUE(log.messages.empty());
}

}  // namespace
