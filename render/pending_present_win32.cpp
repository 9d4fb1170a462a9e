// Placeholder until presentation lands.
#include "app/shell.h"
void PresentFrame(ClockState&, HWND, int, bool) {}
