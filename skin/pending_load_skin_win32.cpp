// Placeholder until skin loading with the window region lands.
#include "app/shell.h"
bool LoadSkin(ClockState&, HWND) { return false; }
