// The calendar dialog: today's date and today's events.
#pragma once
#include <windows.h>

class AnniversaryStore;

// The anniversary store, one per process (defined with the other
// process-wide objects).
extern AnniversaryStore anniversaryStore;

// Re-reads the year's events when the year has turned, then shows the dialog
// over `owner` until "ok".
void ShowCalendarDialog(HWND owner);
