// The slots new GDI and USER objects get: with nothing leaked they are the
// slots freed last (Wine keeps no per-process counts of either).
#pragma once

#include <windows.h>

inline WORD NextGdiSlot() {
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  const WORD slot = LOWORD(reinterpret_cast<ULONG_PTR>(brush));
  DeleteObject(brush);
  return slot;
}

inline WORD NextUserSlot() {
  HMENU menu = CreatePopupMenu();
  const WORD slot = LOWORD(reinterpret_cast<ULONG_PTR>(menu));
  DestroyMenu(menu);
  return slot;
}
