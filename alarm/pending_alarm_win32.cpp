// Placeholder until the alarm windows land.
#include "app/shell.h"
void CheckAlarms() {}
bool SaveAlarmList() { return true; }
INT_PTR CALLBACK AlarmDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
