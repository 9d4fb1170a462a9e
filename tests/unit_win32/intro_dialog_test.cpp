// The information dialogs opened and closed a hundred times each, in-process:
// every opening paints, and afterwards the process holds no more GDI objects.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "app/shell.h"
#include "skin/clock_state.h"

namespace {

// Template 103's shape, built in memory (the test program has no resources):
// a popup with one "close" button, id 1008.
std::vector<WORD> DialogTemplate() {
  std::vector<WORD> t(64, 0);
  auto* dialog = reinterpret_cast<DLGTEMPLATE*>(t.data());
  dialog->style = WS_POPUP | WS_VISIBLE | DS_MODALFRAME | DS_CENTER;
  dialog->cdit = 1;
  dialog->cx = 150;
  dialog->cy = 111;
  std::size_t at = sizeof(DLGTEMPLATE) / sizeof(WORD) + 3;  // no menu, class or title
  at = (at + 1) & ~static_cast<std::size_t>(1);             // items start DWORD-aligned
  auto* item = reinterpret_cast<DLGITEMTEMPLATE*>(&t[at]);
  item->style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
  item->x = 123;
  item->y = 97;
  item->cx = 22;
  item->cy = 10;
  item->id = 1008;
  at += sizeof(DLGITEMTEMPLATE) / sizeof(WORD);
  t[at++] = 0xFFFF;
  t[at++] = 0x0080;  // the button class
  for (const wchar_t* c = L"close"; *c; ++c) t[at++] = static_cast<WORD>(*c);
  t[at++] = 0;
  t[at++] = 0;  // no creation data
  return t;
}

int paints = 0;

// After the dialog has painted itself, press its close button.
LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_PAINT && GetDlgItem(message->hwnd, 1008)) {
    ++paints;
    PostMessageW(message->hwnd, WM_COMMAND, 1008, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void OpenAndClose(DLGPROC procedure, const std::vector<WORD>& dialogTemplate) {
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                          reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), nullptr,
                          procedure, 0);
}

WORD NextGdiSlot() {
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  const WORD slot = LOWORD(reinterpret_cast<ULONG_PTR>(brush));
  DeleteObject(brush);
  return slot;
}

}  // namespace

TEST(InformationDialogs, HundredOpeningsLeakNothingAndClearBusy) {
  // A small composed clock so that the introduction picture has content.
  clockState.frame.width = 64;
  clockState.frame.height = 64;
  clockState.frame.red.assign(64 * 64, 200);
  clockState.frame.green.assign(64 * 64, 100);
  clockState.frame.blue.assign(64 * 64, 50);
  clockState.frame.hasPlanes = true;
  const std::vector<WORD> dialogTemplate = DialogTemplate();
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  OpenAndClose(WorkIntroDlgProc, dialogTemplate);  // fonts and caches settle
  OpenAndClose(VersionDlgProc, dialogTemplate);
  paints = 0;
  const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const WORD slotBefore = NextGdiSlot();
  for (int i = 0; i < 100; ++i) {
    OpenAndClose(WorkIntroDlgProc, dialogTemplate);
    EXPECT_FALSE(busy);
    OpenAndClose(VersionDlgProc, dialogTemplate);
    EXPECT_FALSE(busy);
  }
  UnhookWindowsHookEx(hook);
  EXPECT_GE(paints, 200);
  EXPECT_TRUE(clockState.hasIntroPicture);
  EXPECT_EQ(clockState.introPicture.red[0], (127u * (GetSysColor(COLOR_BTNFACE) & 0xFF) + 128u * 200) / 255);
  const DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (before != 0) {
    EXPECT_EQ(after, before);
  }
  EXPECT_EQ(NextGdiSlot(), slotBefore);
}
