// The popup menu read back item by item, as a user would see it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "alarm/win32/alarm_service.h"
#include "alarm/win32/wake_timer.h"
#include "app/win32/popup_menu.h"
#include "skin/skin_settings.h"

namespace {

// One line per item: "-" for a separator, "[x] text id" with a check mark,
// "text >" for a submenu.
std::vector<std::string> ReadMenu(HMENU menu) {
  std::vector<std::string> lines;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[64] = L"";
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    item.dwTypeData = text;
    item.cch = 63;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item)) {
      lines.push_back("<unreadable>");
      continue;
    }
    if (item.fType & MFT_SEPARATOR) {
      lines.push_back("-");
      continue;
    }
    std::string line = (item.fState & MFS_CHECKED) ? "[x] " : "";
    for (const wchar_t* c = text; *c; ++c) line += static_cast<char>(*c);
    line += item.hSubMenu ? " >" : " " + std::to_string(item.wID);
    lines.push_back(line);
  }
  return lines;
}

HMENU Submenu(HMENU menu, int position) { return GetSubMenu(menu, position); }

}  // namespace

TEST(PopupMenu, PlainSkin) {
  SkinSettings settings;
  const win32::Menu menu = BuildPopupMenu(settings);
  const std::vector<std::string> expected = {
      "Work introduction 5003", "-", "Antialiasing 5001", "Topmost Window 5004", "-",
      "Alarm 5002", "Calendar 5006", "Wake the PC for alarms 5620", "Load HRL file 5508", "-",
      "Version Info 5005", "Help 5509", "-", "Window Opacity >", "Click-Through 5610", "-",
      "Exit 5507"};
  EXPECT_EQ(ReadMenu(menu.Get()), expected);
}

TEST(PopupMenu, DocumentChecksAndSpecialMenu) {
  SkinSettings settings;
  settings.hasDocument = true;
  settings.antiAliasing = true;
  settings.topmost = true;
  settings.specialMenu = 1;
  settings.effect = 4;
  AlarmWakeTimer().SetWake(true);  // the program's choice, not the skin's
  const win32::Menu menu = BuildPopupMenu(settings);
  AlarmWakeTimer().SetWake(false);
  const std::vector<std::string> expected = {
      "Work introduction 5003", "Message 5510", "-", "[x] Antialiasing 5001",
      "[x] Topmost Window 5004", "-", "Alarm 5002", "Calendar 5006",
      "[x] Wake the PC for alarms 5620", "Load HRL file 5508", "Special Menu >", "-",
      "Version Info 5005", "Help 5509", "-", "Window Opacity >", "Click-Through 5610", "-",
      "Exit 5507"};
  EXPECT_EQ(ReadMenu(menu.Get()), expected);
  const std::vector<std::string> effects = {"Normal 5500", "Negative 5501", "Solarization 5502",
                                            "Grayscale 5503", "[x] Gold 5504", "Sepia 5505",
                                            "Emboss 5506"};
  EXPECT_EQ(ReadMenu(Submenu(menu.Get(), 10)), effects);
}

TEST(PopupMenu, SpecialMenuOnlyForOneAndOneCheckAtMost) {
  for (int special : {0, 2, -1}) {
    SkinSettings settings;
    settings.specialMenu = special;
    const win32::Menu menu = BuildPopupMenu(settings);
    EXPECT_EQ(GetMenuItemCount(menu.Get()), 17) << special;
  }
  for (int effect : {0, 6, 7, -1}) {
    SkinSettings settings;
    settings.specialMenu = 1;
    settings.effect = effect;
    const win32::Menu menu = BuildPopupMenu(settings);
    int checks = 0;
    for (const std::string& line : ReadMenu(Submenu(menu.Get(), 9))) checks += line.rfind("[x]", 0) == 0;
    EXPECT_EQ(checks, effect >= 0 && effect <= 6 ? 1 : 0) << effect;
  }
}

TEST(PopupMenu, OpacityAndClickThroughAreCheckedAsTheWindowIs) {
  const std::vector<std::string> names = {"100% 5600", "90% 5601", "80% 5602",
                                          "70% 5603",  "60% 5604", "50% 5605"};
  for (int choice = 0; choice < kOpacityChoiceCount; ++choice) {
    const WindowLook look{kOpacityChoices[choice], choice % 2 == 1};
    const win32::Menu menu = BuildPopupMenu(SkinSettings{}, look);
    std::vector<std::string> expected = names;
    expected[static_cast<std::size_t>(choice)].insert(0, "[x] ");
    EXPECT_EQ(ReadMenu(Submenu(menu.Get(), 13)), expected);
    EXPECT_EQ(ReadMenu(menu.Get())[14], look.clickThrough ? "[x] Click-Through 5610" : "Click-Through 5610");
  }
}

TEST(PopupMenu, MenusAreDestroyedWithTheirOwner) {
  SkinSettings settings;
  settings.specialMenu = 1;
  HMENU main = nullptr;
  HMENU effects = nullptr;
  HMENU opacities = nullptr;
  {
    const win32::Menu menu = BuildPopupMenu(settings);
    main = menu.Get();
    effects = Submenu(main, 9);
    opacities = Submenu(main, 14);
    ASSERT_TRUE(IsMenu(effects));
    ASSERT_TRUE(IsMenu(opacities));
  }
  EXPECT_FALSE(IsMenu(main));
  EXPECT_FALSE(IsMenu(effects));
  EXPECT_FALSE(IsMenu(opacities));
}
