#include "app/win32/popup_menu.h"

#include "alarm/win32/alarm_service.h"
#include "alarm/win32/wake_timer.h"
#include "render/clock_state.h"
#include "ui/win32/program_state.h"

namespace {

// Items go in by position, each at the next one, in their normal state; check
// marks come afterwards by command.
class MenuWriter {
 public:
  explicit MenuWriter(HMENU menu) : menu_(menu) {}

  void Item(const wchar_t* text, UINT command, HMENU submenu = nullptr) {
    Insert(MFT_STRING, text, command, submenu);
  }
  void Separator() { Insert(MFT_SEPARATOR, nullptr, 0, nullptr); }
  void Check(UINT command) { CheckMenuItem(menu_, command, MF_BYCOMMAND | MF_CHECKED); }

 private:
  void Insert(UINT type, const wchar_t* text, UINT command, HMENU submenu) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_TYPE | MIIM_DATA;
    item.fType = type;
    item.wID = command;
    item.hSubMenu = submenu;
    item.dwItemData = 0;
    item.dwTypeData = const_cast<wchar_t*>(text);
    InsertMenuItemW(menu_, position_++, TRUE, &item);
  }

  HMENU menu_;
  UINT position_ = 0;
};

// "Window Opacity" with its choices and "Click-Through", each checked as
// `look` is.
void AddWindowLookItems(MenuWriter& menu, const WindowLook& look) {
  static const wchar_t* const names[kOpacityChoiceCount] = {L"100%", L"90%", L"80%",
                                                            L"70%",  L"60%", L"50%"};
  win32::Menu opacities(CreatePopupMenu());
  MenuWriter submenu(opacities.Get());
  for (UINT i = 0; i < kOpacityChoiceCount; ++i) {
    submenu.Item(names[i], kCommandOpacity100 + i);
    if (kOpacityChoices[i] == look.opacityPercent) submenu.Check(kCommandOpacity100 + i);
  }
  menu.Item(L"Window Opacity", 0, opacities.Get());
  opacities.Release();  // the main menu owns it now
  menu.Item(L"Click-Through", kCommandClickThrough);
  if (look.clickThrough) menu.Check(kCommandClickThrough);
}

}  // namespace

win32::Menu BuildPopupMenu(const SkinSettings& settings, const WindowLook& look) {
  win32::Menu main(CreatePopupMenu());
  win32::Menu effects(CreatePopupMenu());
  MenuWriter menu(main.Get());
  menu.Item(L"Work introduction", kCommandWorkIntroduction);
  if (settings.hasDocument) menu.Item(L"Message", kCommandMessage);
  menu.Separator();
  menu.Item(L"Antialiasing", kCommandAntialiasing);
  if (settings.antiAliasing) menu.Check(kCommandAntialiasing);
  menu.Item(L"Topmost Window", kCommandTopmost);
  if (settings.topmost) menu.Check(kCommandTopmost);
  menu.Separator();
  menu.Item(L"Alarm", kCommandAlarm);
  menu.Item(L"Calendar", kCommandCalendar);
  menu.Item(L"Wake the PC for alarms", kCommandWakeForAlarms);
  if (AlarmWakeTimer().Wake()) menu.Check(kCommandWakeForAlarms);
  menu.Item(L"Load HRL file", kCommandLoadSkin);
  if (settings.specialMenu == 1) {
    static const wchar_t* const names[] = {L"Normal", L"Negative", L"Solarization", L"Grayscale",
                                           L"Gold",   L"Sepia",    L"Emboss"};
    MenuWriter submenu(effects.Get());
    for (UINT i = 0; i < 7; ++i) submenu.Item(names[i], kCommandEffectNormal + i);
    if (settings.effect >= 0 && settings.effect <= 6) {
      submenu.Check(kCommandEffectNormal + static_cast<UINT>(settings.effect));
    }
    menu.Item(L"Special Menu", 0, effects.Get());
    effects.Release();  // the main menu owns it now
  }
  menu.Separator();
  menu.Item(L"Version Info", kCommandVersionInfo);
  menu.Item(L"Help", kCommandHelp);
  menu.Separator();
  AddWindowLookItems(menu, look);
  menu.Separator();
  menu.Item(L"Exit", kCommandExit);
  return main;
}  // an effect submenu that was not attached is destroyed here

void ShowPopupMenu(HWND window, int x, int y) {
  {
    const win32::Menu menu =
        BuildPopupMenu(clockState.settings, WindowLook{windowOpacityPercent, windowClickThrough});
    // The chosen command arrives later as WM_COMMAND.
    TrackPopupMenu(menu.Get(), 0, x, y, 0, window, nullptr);
  }
  // Lets a menu opened from the notification area close on the next click
  // elsewhere.
  PostMessageW(window, WM_NULL, 0, 0);
}
