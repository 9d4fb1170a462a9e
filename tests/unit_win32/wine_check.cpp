#include <windows.h>

#include "unit/wine_check.h"

bool RunningUnderWine() {
  // Only Wine's ntdll exports its version.
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
