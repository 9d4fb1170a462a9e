// The clock window's outline as runs of opaque body pixels. The shell turns the
// runs into a region in one step.
#pragma once
#include <cstdint>
#include <vector>

struct ShapeRun {
  int y;
  int x0;  // first pixel of the run
  int x1;  // one past the last pixel
};

struct WindowShape {
  bool valid = false;  // false: no shape could be built; the window is its full rectangle
  int width = 0;
  int height = 0;
  std::vector<ShapeRun> runs;
};
