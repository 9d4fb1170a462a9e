// System metrics (menu bar height, frame widths) at a window's own dpi, for
// windows sized in code rather than by a dialog template.
#pragma once
#include <windows.h>

// GetSystemMetricsForDpi at WindowDpi(window) where Windows has it (10 version
// 1607 on); else GetSystemMetrics, which is at the system dpi.
int MetricForWindow(HWND window, int index);
