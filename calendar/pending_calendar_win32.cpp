// Placeholder until the calendar dialog lands.
#include "app/shell.h"
INT_PTR CALLBACK CalendarDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
